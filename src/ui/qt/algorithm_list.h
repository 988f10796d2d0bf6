#pragma once
// Both windows that pick an algorithm list the catalogue in its order, so a list position is an
// algorithm index.

class QComboBox;

namespace tessik {

void FillAlgorithmList(QComboBox& list);

}  // namespace tessik
