#include "ui/qt/dialog.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QEventLoop>
#include <QFrame>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QResizeEvent>
#include <QScreen>
#include <QShortcut>
#include <QTableView>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <variant>

#include "jobs/background_run.h"
#include "ui/qt/control_fit_qt.h"
#include "ui/qt/dialog_menu.h"
#include "ui/qt/progress_display.h"
#include "ui/qt/qt_text.h"

namespace tessik {
namespace {

// How often busy work is asked whether it is done.
constexpr std::chrono::milliseconds kBusyPollInterval{5};

// What the window system's frame takes around a window not shown yet, whose frame is not known.
constexpr QSize kFrameGuess{16, 40};

DialogBaseUnits BaseUnitsOf(const QFont& font) {
    const QFontMetrics metrics(font);
    const int letters = metrics.horizontalAdvance(
        QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    return {AverageLetterWidth(letters), metrics.height()};
}

// Drops user input to every window while work runs; painting, timers and window-system events
// that are no input go on.
class InputBlocker final : public QObject {
  public:
    InputBlocker() { qApp->installEventFilter(this); }
    ~InputBlocker() override { qApp->removeEventFilter(this); }

  protected:
    bool eventFilter(QObject*, QEvent* event) override {
        switch (event->type()) {
            case QEvent::MouseButtonPress:
            case QEvent::MouseButtonRelease:
            case QEvent::MouseButtonDblClick:
            case QEvent::Wheel:
            case QEvent::KeyPress:
            case QEvent::KeyRelease:
            case QEvent::ShortcutOverride:
            case QEvent::Shortcut:
            case QEvent::ContextMenu:
            case QEvent::DragEnter:
            case QEvent::DragMove:
            case QEvent::Drop:
            case QEvent::TouchBegin:
            case QEvent::TouchUpdate:
            case QEvent::TouchEnd:
            case QEvent::TabletPress:
            case QEvent::TabletRelease:
                return true;
            default:
                return false;
        }
    }
};

}  // namespace

Dialog::Dialog(const DialogTemplate& dialogTemplate, DesktopServices& desktop, QWidget* parent)
    : QDialog(parent), template_(dialogTemplate), desktop_(desktop) {}

Dialog::~Dialog() = default;

int Dialog::run() {
    initialise();
    return exec();
}

void Dialog::initialise() {
    if (initialised_) return;
    initialised_ = true;
    build();
    onInitDialog();
    // The texts the window was given may need more room than the template's.
    sizeToTheScreen(false);
}

void Dialog::build() {
    setWindowTitle(QString::fromUtf8(template_.caption));
    baseUnits_ = BaseUnitsOf(font());

    if (!template_.menu.empty()) {
        menuBar_ = new QMenuBar(this);
        menu_ = std::make_unique<DialogMenu>(*menuBar_, template_.menu,
                                             [this](int command) { runCommand(command); });
        // As on the desktop the templates come from: the texts have no mnemonics to reach them.
        connect(new QShortcut(QKeySequence(Qt::Key_F10), this), &QShortcut::activated, this,
                [this] { openMenuBar(); });
    }
    client_ = new QWidget(this);
    if (template_.whiteBackground) {
        QPalette palette = client_->palette();
        palette.setColor(QPalette::Window, Qt::white);
        client_->setPalette(palette);
        client_->setAutoFillBackground(true);
    }

    QWidget* previousFocusable = nullptr;
    const ControlTemplate* previous = nullptr;
    QWidget* previousWidget = nullptr;
    for (const ControlTemplate& row : template_.controls) {
        QWidget* widget = buildControl(row);
        rowWidgets_.push_back(widget);
        if ((row.style & kHidden) != 0) widget->hide();
        if (row.kind == ControlKind::kPanel) widget->lower();
        if (row.id != -1) controls_[row.id] = widget;
        if (previous != nullptr && NamesTheNext(*previous, row)) {
            if (previous->id != -1) labelledFields_[previous->id] = widget;
            if (auto* label = qobject_cast<QLabel*>(previousWidget)) label->setBuddy(widget);
        }
        if (widget->focusPolicy() & Qt::TabFocus) {
            if (previousFocusable != nullptr) setTabOrder(previousFocusable, widget);
            previousFocusable = widget;
        }
        previous = &row;
        previousWidget = widget;
    }
    for (const ControlTemplate& row : template_.controls) {
        // A picture's text names its image, which a text would replace.
        if (row.id != -1 && row.text != nullptr && row.kind != ControlKind::kPicture) {
            setControlText(row.id, QString::fromUtf8(row.text));
        }
    }

    if (template_.resizable) {
        setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                       Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint);
        const QSize client = templateClientSize();
        resize(client.width(), client.height() + menuHeight(client.width()));
    }
    layOutInUnitsOfTheFont();
}

// Every control back at its template place in units of the window's font, and the window sized
// to hold them, so that no text is cut whatever font the window was given.
void Dialog::layOutInUnitsOfTheFont() {
    baseUnits_ = BaseUnitsOf(font());
    templatePlaces_.clear();
    for (std::size_t i = 0; i < rowWidgets_.size(); ++i) {
        templatePlaces_.push_back(placeAtTemplate(*rowWidgets_[i], template_.controls[i]));
    }
    sizeToTheScreen(true);
}

std::vector<FitControl> Dialog::fitControls() const {
    std::vector<FitControl> controls;
    const std::span<const int> aside = placedAcrossByItsOwnRules();
    for (std::size_t i = 0; i < templatePlaces_.size(); ++i) {
        controls.push_back(
            FitControlOf(*rowWidgets_[i], template_.controls[i], templatePlaces_[i]));
        if (std::find(aside.begin(), aside.end(), template_.controls[i].id) != aside.end()) {
            controls.back().across = Give::kAside;
        }
    }
    return controls;
}

FitControl Dialog::fitControlOf(int id) const {
    for (std::size_t i = 0; i < templatePlaces_.size(); ++i) {
        if (template_.controls[i].id == id) {
            return FitControlOf(*rowWidgets_[i], template_.controls[i], templatePlaces_[i]);
        }
    }
    return {};
}

FittedPlaces Dialog::fittedPlaces(QSize client) const {
    const QSize full = templateClientSize();
    return FitControls(fitControls(), {full.width(), full.height()},
                       {client.width(), client.height()});
}

PixelRect Dialog::placeOf(const FittedPlaces& fitted, int id) const {
    for (std::size_t i = 0; i < template_.controls.size() && i < fitted.places.size(); ++i) {
        if (template_.controls[i].id == id) return fitted.places[i];
    }
    return {};
}

void Dialog::sizeToTheScreen(bool newFont) {
    layOutPending_ = false;
    if (client_ == nullptr || templatePlaces_.size() != rowWidgets_.size()) return;
    const QSize full = templateClientSize();
    clientSizes_ = ClientSizesOf(fitControls(), {full.width(), full.height()});
    const QSize least(clientSizes_.least.width, clientSizes_.least.height);
    const QSize natural(clientSizes_.natural.width, clientSizes_.natural.height);
    const QSize room = roomOnTheScreen();
    if (template_.resizable) {
        setMinimumSize(least.width(), least.height() + menuHeight(least.width()));
        onUnitsChanged();  // a window with rules of its own may need more
        // The window's own size: a hidden window's client area follows only once it is shown.
        QSize client(width(), height() - menuHeight(width()));
        if (newFont) client = client.expandedTo(natural).boundedTo(room);
        const QSize smallest(minimumWidth(), minimumHeight() - menuHeight(minimumWidth()));
        client = client.expandedTo(smallest);
        resize(client.width(), client.height() + menuHeight(client.width()));
    } else {
        const QSize client = natural.boundedTo(room).expandedTo(least);
        setFixedSize(client.width(), client.height() + menuHeight(client.width()));
    }
    placeMenuAndClient();
    placeControls();
    onClientResized(client_->size());
    keepOnTheScreen();
}

// A text that changed may need more room; once the texts of one change are all set.
void Dialog::layOutSoon() {
    if (!initialised_ || layOutPending_) return;
    layOutPending_ = true;
    QTimer::singleShot(0, this, [this] {
        if (layOutPending_) sizeToTheScreen(false);
    });
}

// The largest client area the screen the window is on holds beside the window's frame and menu.
QSize Dialog::roomOnTheScreen() const {
    const QScreen* shownOn = screen();
    if (shownOn == nullptr) return {1 << 20, 1 << 20};
    const QRect area = shownOn->availableGeometry();
    const QSize frame = isVisible() ? frameGeometry().size() - geometry().size() : kFrameGuess;
    return {area.width() - frame.width(),
            area.height() - frame.height() - menuHeight(area.width() - frame.width())};
}

// A window that grew past the screen's edge, or was placed across it, comes back inside it.
void Dialog::keepOnTheScreen() {
    const QScreen* shownOn = screen();
    if (!isVisible() || shownOn == nullptr || isMaximized() || isFullScreen()) return;
    const QRect area = shownOn->availableGeometry();
    const QRect frame = frameGeometry();
    QPoint to = frame.topLeft();
    to.rx() -= std::max(0, frame.right() - area.right());
    to.ry() -= std::max(0, frame.bottom() - area.bottom());
    to.setX(std::max(to.x(), area.left()));
    to.setY(std::max(to.y(), area.top()));
    if (to != frame.topLeft()) move(to);
}

void Dialog::placeControls() {
    if (templatePlaces_.size() != rowWidgets_.size()) return;
    // The controls as they are now: a list filled or a text changed since the last sizing.
    const std::vector<FitControl> controls = fitControls();
    const QSize full = templateClientSize();
    clientSizes_ = ClientSizesOf(controls, {full.width(), full.height()});
    QSize client = client_->size();
    if (growsByItsOwnRules()) {
        client = client.boundedTo(QSize(clientSizes_.natural.width, clientSizes_.natural.height));
    }
    const FittedPlaces fitted =
        FitControls(controls, {full.width(), full.height()}, {client.width(), client.height()});
    for (std::size_t i = 0; i < rowWidgets_.size(); ++i) {
        const PixelRect& place = fitted.places[i];
        rowWidgets_[i]->setGeometry(place.x, place.y, place.width, place.height);
    }
}

QSize Dialog::templateClientSize() const {
    const PixelRect client =
        DialogRectToPixels(0, 0, template_.width, template_.height, baseUnits_);
    return {client.width, client.height};
}

int Dialog::menuHeight(int width) const {
    return menuBar_ != nullptr ? menuBar_->heightForWidth(width) : 0;
}

void Dialog::placeMenuAndClient() {
    const int barHeight = menuHeight(width());
    if (menuBar_ != nullptr) menuBar_->setGeometry(0, 0, width(), barHeight);
    client_->setGeometry(0, barHeight, width(), std::max(0, height() - barHeight));
}

void Dialog::openMenuBar() {
    if (!menuBar_->isEnabled()) return;
    for (QAction* top : menuBar_->actions()) {
        if (top->isVisible() && top->isEnabled()) {
            menuBar_->setActiveAction(top);
            return;
        }
    }
}

QWidget* Dialog::buildControl(const ControlTemplate& row) {
    if (QWidget* own = createControl(row, client_)) return own;
    const QString text = row.text != nullptr ? QString::fromUtf8(row.text) : QString();
    switch (row.kind) {
        case ControlKind::kLabel: {
            auto* label = new QLabel(client_);
            label->setTextFormat(Qt::PlainText);
            const Qt::Alignment horizontal =
                (row.style & kCentreText) != 0 ? Qt::AlignHCenter : Qt::AlignLeft;
            if ((row.style & kCentreVertically) != 0) {
                label->setAlignment(horizontal | Qt::AlignVCenter);
            } else {
                label->setAlignment(horizontal | Qt::AlignTop);
                label->setWordWrap(true);
            }
            return label;
        }
        case ControlKind::kEdit: {
            auto* edit = new QLineEdit(client_);
            edit->setFrame((row.style & kBorder) != 0);
            edit->setReadOnly((row.style & kReadOnly) != 0);
            return edit;
        }
        case ControlKind::kMultiLineEdit: {
            auto* edit = new QPlainTextEdit(client_);
            edit->setLineWrapMode(QPlainTextEdit::NoWrap);
            edit->setTabChangesFocus(true);
            edit->setReadOnly((row.style & kReadOnly) != 0);
            if ((row.style & kBorder) == 0) edit->setFrameShape(QFrame::NoFrame);
            if ((row.style & kVerticalScrollBar) != 0) {
                edit->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
            }
            return edit;
        }
        case ControlKind::kPushButton:
        case ControlKind::kDefaultPushButton: {
            auto* button = new QPushButton(client_);
            button->setAutoDefault(true);
            button->setDefault(row.kind == ControlKind::kDefaultPushButton);
            connect(button, &QPushButton::clicked, this, [this, id = row.id] { runCommand(id); });
            return button;
        }
        case ControlKind::kCheckBox:
            return new QCheckBox(client_);
        case ControlKind::kDropDownList:
            return new QComboBox(client_);
        case ControlKind::kPanel: {
            auto* panel = new QFrame(client_);
            panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
            QPalette palette = panel->palette();
            palette.setColor(QPalette::Window, Qt::white);
            panel->setPalette(palette);
            panel->setAutoFillBackground(true);
            return panel;
        }
        case ControlKind::kIcon: {
            auto* icon = new QLabel(client_);
            icon->setPixmap(windowIcon().pixmap(
                DialogRectToPixels(row.x, row.y, row.width, row.height, baseUnits_).height));
            return icon;
        }
        case ControlKind::kPicture: {
            auto* picture = new QLabel(client_);
            picture->setPixmap(QPixmap(text));
            picture->setScaledContents(true);
            return picture;
        }
        case ControlKind::kProgressBar: {
            auto* bar = new ProgressBar(client_);
            bar->setRange(0, 100);
            bar->setAlignment(Qt::AlignCenter);
            bar->setAccessibleName(QString::fromStdU16String(progressTexts_[ProgressText::kName]));
            return bar;
        }
        case ControlKind::kTable: {
            auto* table = new QTableView(client_);
            table->setSelectionBehavior(QAbstractItemView::SelectRows);
            table->setTabKeyNavigation(false);
            table->setWordWrap(false);
            // Rows of one height, so that a table of any length scrolls and grows at once.
            table->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
            table->verticalHeader()->hide();
            return table;
        }
    }
    return new QWidget(client_);
}

PixelRect Dialog::placeAtTemplate(QWidget& widget, const ControlTemplate& row) {
    PixelRect rect = DialogRectToPixels(row.x, row.y, row.width, row.height, baseUnits_);
    if (auto* list = qobject_cast<QComboBox*>(&widget)) {
        // The template height is that of the open list; the closed box is as high as its font
        // needs.
        const int closedHeight = list->sizeHint().height();
        list->setMaxVisibleItems(
            std::max(1, (rect.height - closedHeight) / std::max(1, list->fontMetrics().height())));
        rect.height = closedHeight;
    }
    if (auto* table = qobject_cast<QTableView*>(&widget)) {
        constexpr int kTableRowHeight = 10;  // dialog units
        table->verticalHeader()->setDefaultSectionSize(
            VerticalUnitsToPixels(kTableRowHeight, baseUnits_));
    }
    widget.setGeometry(rect.x, rect.y, rect.width, rect.height);
    return rect;
}

QWidget* Dialog::control(int id) const {
    auto it = controls_.find(id);
    return it != controls_.end() ? it->second : nullptr;
}

void Dialog::setControlText(int id, const QString& text) {
    QWidget* widget = control(id);
    if (widget == nullptr) return;
    if (auto* label = qobject_cast<QLabel*>(widget)) {
        label->setText(text);
    } else if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
        button->setText(text);
    } else if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
        edit->setText(text);
        return;  // a field's content is not its name
    } else if (auto* multiLine = qobject_cast<QPlainTextEdit*>(widget)) {
        multiLine->setPlainText(text);
        return;
    } else {
        return;
    }
    nameForAssistiveTools(id, text);
    const auto row = std::find_if(template_.controls.begin(), template_.controls.end(),
                                  [id](const ControlTemplate& row) { return row.id == id; });
    if (row == template_.controls.end() || (row->style & kFlexibleText) == 0) layOutSoon();
}

void Dialog::nameForAssistiveTools(int id, const QString& text) {
    const QString name = WithoutAccessKeys(text);
    control(id)->setAccessibleName(name);
    if (auto it = labelledFields_.find(id); it != labelledFields_.end()) {
        it->second->setAccessibleName(name);
    }
}

QString Dialog::controlText(int id) const {
    QWidget* widget = control(id);
    if (auto* label = qobject_cast<QLabel*>(widget)) return label->text();
    if (auto* button = qobject_cast<QAbstractButton*>(widget)) return button->text();
    if (auto* edit = qobject_cast<QLineEdit*>(widget)) return edit->text();
    if (auto* multiLine = qobject_cast<QPlainTextEdit*>(widget)) return multiLine->toPlainText();
    if (auto* list = qobject_cast<QComboBox*>(widget)) return list->currentText();
    return QString();
}

void Dialog::onCommand(int id, std::function<void()> handler) {
    commands_[id] = std::move(handler);
}

void Dialog::onEnter(int fieldId, int buttonId) {
    if (QWidget* field = control(fieldId)) {
        enterButtons_[field] = buttonId;
        field->installEventFilter(this);
    }
}

bool Dialog::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        const auto it = enterButtons_.find(watched);
        if (it != enterButtons_.end() && (key == Qt::Key_Return || key == Qt::Key_Enter)) {
            // A disabled button does nothing, and Enter does not fall through to the default.
            if (auto* button = control<QAbstractButton>(it->second)) button->click();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void Dialog::runCommand(int id) {
    if (auto it = commands_.find(id); it != commands_.end()) {
        it->second();
    } else if (id == kOkResult || id == kCancelResult) {
        done(id);
    }
}

void Dialog::setText(const TextTarget& target, const std::u16string& text) {
    const QString value = QString::fromStdU16String(text);
    switch (target.kind) {
        case TextTargetKind::kWindowTitle:
            setWindowTitle(value);
            break;
        case TextTargetKind::kControl:
            setControlText(target.id, value);
            break;
        case TextTargetKind::kMenuPosition:
            if (menu_ != nullptr) menu_->setPopupText(target.id, value);
            break;
        case TextTargetKind::kMenuCommand:
            if (menu_ != nullptr) menu_->setItemText(target.id, value);
            break;
        case TextTargetKind::kMember:
            setMemberText(target.id, value);
            break;
        case TextTargetKind::kToolTip:
            if (QWidget* widget = control(target.id)) {
                widget->setToolTip(value);
                widget->setAccessibleDescription(value);
            }
            break;
        case TextTargetKind::kProgress:
            progressTexts_.Set(static_cast<ProgressText>(target.id), text);
            if (static_cast<ProgressText>(target.id) == ProgressText::kName) {
                for (auto* bar : findChildren<ProgressBar*>()) bar->setAccessibleName(value);
            }
            break;
    }
}

void Dialog::onCloseRequest() {
    runCommand(kCancelResult);
}

void Dialog::closeEvent(QCloseEvent* event) {
    if (busy_) {
        closePending_ = true;
        event->ignore();
        return;
    }
    onCloseRequest();
    // The request was refused when the window is still there.
    if (isVisible()) {
        event->ignore();
    } else {
        event->accept();
    }
}

void Dialog::reject() {
    runCommand(kCancelResult);
}

void Dialog::accept() {
    runCommand(kOkResult);
}

void Dialog::changeEvent(QEvent* event) {
    QDialog::changeEvent(event);
    if (event->type() == QEvent::FontChange && client_ != nullptr) layOutInUnitsOfTheFont();
}

void Dialog::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    if (client_ == nullptr) return;
    placeMenuAndClient();
    placeControls();
    onClientResized(client_->size());
}

void Dialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // The frame is known once the window system has put it around the window.
    QTimer::singleShot(0, this, [this] {
        if (!templatePlaces_.empty()) sizeToTheScreen(false);
    });
}

void Dialog::runBusy(const std::function<void()>& work) {
    busy_ = true;
    {
        InputBlocker blocker;
        QApplication::setOverrideCursor(Qt::WaitCursor);
        BackgroundRun<std::monostate> run;
        if (run.Start([&](auto&) {
                work();
                return RunEnding{};
            })) {
            QEventLoop loop;
            QTimer poll;
            poll.setInterval(kBusyPollInterval);
            connect(&poll, &QTimer::timeout, &loop, [&] {
                if (run.HasEnded()) loop.quit();
            });
            poll.start();
            loop.exec();
            run.Finish();
        } else {
            work();  // no thread to spare: the window waits, but the work is done
        }
        QApplication::restoreOverrideCursor();
    }
    busy_ = false;
    if (closePending_) {
        closePending_ = false;
        // Delivered once the command that asked for the work has written its result.
        QMetaObject::invokeMethod(this, &QWidget::close, Qt::QueuedConnection);
    }
}

}  // namespace tessik
