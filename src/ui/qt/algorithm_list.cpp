#include "ui/qt/algorithm_list.h"

#include <QComboBox>

#include "digest/algorithm_catalogue.h"

namespace tessik {

void FillAlgorithmList(QComboBox& list) {
    for (const AlgorithmInfo& algorithm : AlgorithmCatalogue()) {
        list.addItem(QString::fromUtf8(algorithm.name.data(),
                                       static_cast<qsizetype>(algorithm.name.size())));
    }
}

}  // namespace tessik
