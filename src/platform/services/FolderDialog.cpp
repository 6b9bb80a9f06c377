#include "platform/services/FolderDialog.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QEvent>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include "platform/services/Application.h"

namespace lumvex {

namespace {

QString Q(const std::string& text) { return QString::fromStdString(text); }

// The toolkit's own folder view, embedded; its OK goes to the browser, which
// lets the owner's enabling decide.
class FolderPicker : public QFileDialog {
public:
    explicit FolderPicker(QWidget* parent) : QFileDialog(parent) {}
    std::function<void()> OnAccept;
    void accept() override { OnAccept(); }
};

class FolderBrowser : public QDialog, public FolderDialogWindow {
public:
    FolderBrowser(const FolderDialogOptions& options, const FolderDialogCallbacks& callbacks, QWidget* owner);

    const std::optional<std::string>& Chosen() const { return chosen_; }

    TRect Bounds() const override {
        const QRect frame = frameGeometry();
        return lumvex::Bounds(frame.x(), frame.y(), frame.width(), frame.height());
    }
    void MoveTo(int left, int top) override { move(left, top); }
    void SetStatusText(const std::string& text) override {
        if (status_) status_->setText(Q(text));
    }
    void SelectFolder(const std::string& path) override {
        picker_->selectFile(Q(NormalFolderPath(path)));
        SelectionMayHaveChanged();
    }
    bool OkEnabled() const override { return okEnabled_; }
    void SetOkEnabled(bool enabled) override {
        okEnabled_ = enabled;
        if (ok_) ok_->setEnabled(enabled);
    }

protected:
    // The file view enables its OK button by its own rules; the owner's word wins.
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == ok_ && event->type() == QEvent::EnabledChange && ok_->isEnabled() != okEnabled_)
            ok_->setEnabled(okEnabled_);
        return QDialog::eventFilter(watched, event);
    }

private:
    std::string CurrentSelection() const {
        const QStringList files = picker_->selectedFiles();
        return files.isEmpty() ? std::string() : NormalFolderPath(files.first().toStdString());
    }
    void SelectionMayHaveChanged();
    void Opened();
    void Accept();

    FolderDialogOptions options_;
    const FolderDialogCallbacks& callbacks_;
    FolderPicker* picker_;
    QLabel* status_ = nullptr;
    QAbstractButton* ok_ = nullptr;
    bool okEnabled_ = true;
    bool opened_ = false;
    std::optional<std::string> selection_;
    std::optional<std::string> chosen_;
};

FolderBrowser::FolderBrowser(const FolderDialogOptions& options, const FolderDialogCallbacks& callbacks,
                             QWidget* owner)
    : QDialog(owner), options_(options), callbacks_(callbacks), picker_(new FolderPicker(this)) {
    setWindowTitle(QStringLiteral("Mappa kiválasztása"));
    auto* layout = new QVBoxLayout(this);
    if (!options.Title.empty()) {
        auto* title = new QLabel(Q(options.Title), this);
        title->setWordWrap(true);
        layout->addWidget(title);
    }
    if (options.StatusLine) {
        status_ = new QLabel(this);
        status_->setWordWrap(true);
        layout->addWidget(status_);
    }

    picker_->setWindowFlags(Qt::Widget);
    picker_->setOption(QFileDialog::DontUseNativeDialog);
    picker_->setOption(QFileDialog::ShowDirsOnly);
    picker_->setFileMode(QFileDialog::Directory);
    picker_->setSizeGripEnabled(false);
    picker_->setDirectory(QDir::home());
    picker_->setLabelText(QFileDialog::Accept, QStringLiteral("OK"));
    picker_->OnAccept = [this] { Accept(); };
    for (const char* name : {"fileTypeLabel", "fileTypeCombo"})
        if (auto* widget = picker_->findChild<QWidget*>(name)) widget->hide();
    if (!options.EditBox)
        for (const char* name : {"fileNameLabel", "fileNameEdit"})
            if (auto* widget = picker_->findChild<QWidget*>(name)) widget->hide();
    layout->addWidget(picker_);

    if (auto* buttons = picker_->findChild<QDialogButtonBox*>())
        for (QAbstractButton* button : buttons->buttons())
            if (buttons->buttonRole(button) == QDialogButtonBox::AcceptRole) ok_ = button;
    if (ok_) ok_->installEventFilter(this);

    connect(picker_, &QFileDialog::rejected, this, &QDialog::reject);
    connect(picker_, &QFileDialog::currentChanged, this, [this] { SelectionMayHaveChanged(); });
    connect(picker_, &QFileDialog::directoryEntered, this, [this] { SelectionMayHaveChanged(); });
    if (auto* edit = picker_->findChild<QLineEdit*>("fileNameEdit"))
        connect(edit, &QLineEdit::textChanged, this, [this] { SelectionMayHaveChanged(); });

    resize(520, 440);
    setSizeGripEnabled(options.Resizable);
    // The owner hears of the dialog once it stands on the screen.
    QTimer::singleShot(0, this, [this] { Opened(); });
}

void FolderBrowser::Opened() {
    if (!options_.Resizable) setFixedSize(size());
    opened_ = true;
    if (callbacks_.OnOpen) callbacks_.OnOpen(*this);
    if (!selection_) SelectionMayHaveChanged();
}

void FolderBrowser::SelectionMayHaveChanged() {
    if (!opened_) return;
    const std::string path = CurrentSelection();
    if (selection_ == path) return;
    selection_ = path;
    if (callbacks_.OnSelChanged) callbacks_.OnSelChanged(*this, path);
    if (ok_) ok_->setEnabled(okEnabled_);
}

void FolderBrowser::Accept() {
    SelectionMayHaveChanged();
    if (!okEnabled_ || !selection_ || selection_->empty()) return;
    chosen_ = selection_;
    QDialog::accept();
}

// Every callback runs through the dispatcher, so an error it raises is shown
// and never crosses the dialog's message loop.
FolderDialogCallbacks Dispatched(const FolderDialogCallbacks& callbacks) {
    FolderDialogCallbacks dispatched;
    if (callbacks.OnOpen)
        dispatched.OnOpen = [&callbacks](FolderDialogWindow& window) {
            Application.Dispatch([&] { callbacks.OnOpen(window); });
        };
    if (callbacks.OnSelChanged)
        dispatched.OnSelChanged = [&callbacks](FolderDialogWindow& window, const std::string& path) {
            Application.Dispatch([&] { callbacks.OnSelChanged(window, path); });
        };
    return dispatched;
}

}  // namespace

std::optional<std::string> RunFolderDialog(const FolderDialogOptions& options,
                                           const FolderDialogCallbacks& callbacks) {
    const FolderDialogCallbacks dispatched = Dispatched(callbacks);
    if (ScriptedFolderDialogs::Installed()) return ScriptedFolderDialogs::Play(options, dispatched);
    FolderBrowser browser(options, dispatched, QApplication::activeWindow());
    browser.exec();
    return browser.Chosen();
}

}  // namespace lumvex
