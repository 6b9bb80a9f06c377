#include "platform/services/Dialogs.h"

#include <QColorDialog>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QSortFilterProxyModel>
#include <array>
#include <utility>

#include "platform/graphics/QtBridge.h"
#include "platform/services/Application.h"

namespace lumvex {

namespace {

ScriptedDialogs* script = nullptr;

QString Q(const std::string& text) { return QString::fromStdString(text); }

template <class T>
T TakeAnswer(std::deque<T>& answers, T none) {
    if (answers.empty()) return none;
    T answer = std::move(answers.front());
    answers.pop_front();
    return answer;
}

constexpr std::array<std::pair<TMsgDlgBtn, QMessageBox::StandardButton>, 9> kButtons{{
    {mbYes, QMessageBox::Yes},
    {mbNo, QMessageBox::No},
    {mbOK, QMessageBox::Ok},
    {mbCancel, QMessageBox::Cancel},
    {mbAbort, QMessageBox::Abort},
    {mbRetry, QMessageBox::Retry},
    {mbIgnore, QMessageBox::Ignore},
    {mbNoToAll, QMessageBox::NoToAll},
    {mbYesToAll, QMessageBox::YesToAll},
}};

TModalResult ResultOf(QMessageBox::StandardButton button) {
    switch (button) {
    case QMessageBox::Yes: return mrYes;
    case QMessageBox::No: return mrNo;
    case QMessageBox::Ok: return mrOk;
    case QMessageBox::Abort: return mrAbort;
    case QMessageBox::Retry: return mrRetry;
    case QMessageBox::Ignore: return mrIgnore;
    case QMessageBox::NoToAll: return mrNoToAll;
    case QMessageBox::YesToAll: return mrYesToAll;
    default: return mrCancel;
    }
}

QMessageBox::Icon IconOf(TMsgDlgType type) {
    switch (type) {
    case mtWarning: return QMessageBox::Warning;
    case mtError: return QMessageBox::Critical;
    case mtInformation: return QMessageBox::Information;
    case mtConfirmation: return QMessageBox::Question;
    case mtCustom: break;
    }
    return QMessageBox::NoIcon;
}

// "shown|*.a;*.b|…" as the toolkit's "shown (*.a *.b);;…". "*.*" means
// every file, as it does on the desktop the masks come from; with programs
// the "*.exe" choices show every file too, and ProgramFilter picks.
QStringList QtFilters(const std::string& filter, bool programs) {
    QStringList parts = Q(filter).split('|');
    QStringList entries;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QStringList masks = parts[i + 1].split(';');
        masks.replaceInStrings(QRegularExpression("^\\*\\.\\*$"), "*");
        if (programs && masks.contains("*.exe", Qt::CaseInsensitive)) masks << "*";
        entries << parts[i] + " (" + masks.join(' ') + ")";
    }
    return entries;
}

// Keeps, where the chosen filter asks for "*.exe", the folders, the files
// that match its own masks and the executable files without an extension.
class ProgramFilter : public QSortFilterProxyModel {
public:
    explicit ProgramFilter(QObject* owner) : QSortFilterProxyModel(owner) {}
    void Choose(const QString& entry) {
        QString masks = entry.section('(', -1);
        if (masks.endsWith(')')) masks.chop(1);
        masks_ = masks.split(' ', Qt::SkipEmptyParts);
        picking_ = masks_.removeAll("*") > 0 && masks_.contains("*.exe", Qt::CaseInsensitive);
        invalidateFilter();
    }

protected:
    bool filterAcceptsRow(int row, const QModelIndex& parent) const override {
        auto* files = qobject_cast<QFileSystemModel*>(sourceModel());
        if (!picking_ || !files) return true;
        const QFileInfo info = files->fileInfo(files->index(row, 0, parent));
        if (info.isDir()) return true;
        if (info.suffix().isEmpty() && info.isExecutable()) return true;
        for (const QString& mask : masks_)
            if (QDir::match(mask, info.fileName())) return true;
        return false;
    }

private:
    QStringList masks_;
    bool picking_ = false;
};

}  // namespace

TModalResult MessageDlg(const std::string& message, TMsgDlgType type, unsigned buttons) {
    if (script) {
        script->Questions.push_back({message, type, buttons});
        return TakeAnswer(script->MessageAnswers, mrCancel);
    }
    // A carriage return in the text breaks the line.
    QMessageBox box(IconOf(type), Q(Application.Title), Q(message).replace(QChar('\r'), QChar('\n')));
    for (auto [bit, button] : kButtons)
        if (buttons & bit) box.addButton(button);
    QPushButton* all = (buttons & mbAll) ? box.addButton(QObject::tr("All"), QMessageBox::AcceptRole) : nullptr;
    if (!(buttons & mbCancel)) box.setEscapeButton(box.button((buttons & mbNo) ? QMessageBox::No : QMessageBox::Ok));
    const int code = box.exec();
    if (all && box.clickedButton() == all) return mrAll;
    return ResultOf(static_cast<QMessageBox::StandardButton>(code));
}

void ShowMessage(const std::string& message) {
    if (script) {
        script->Messages.push_back(message);
        return;
    }
    QMessageBox::information(nullptr, Q(Application.Title), Q(message));
}

bool TColorDialog::Execute() {
    if (script) {
        script->ColorsOffered.push_back(Color);
        std::optional<TColor> answer = TakeAnswer(script->ColorAnswers, std::optional<TColor>());
        if (answer) Color = *answer;
        return answer.has_value();
    }
    QColor chosen = QColorDialog::getColor(ToQColor(Color));
    if (!chosen.isValid()) return false;
    Color = FromQColor(chosen);
    return true;
}

bool TOpenDialog::Execute() {
    if (script) {
        script->OpenTitles.push_back(Title);
        std::optional<std::string> answer = TakeAnswer(script->OpenAnswers, std::optional<std::string>());
        if (answer) FileName = *answer;
        return answer.has_value();
    }
    QFileDialog dialog(nullptr, Q(Title), Q(InitialDir));
    dialog.setFileMode(QFileDialog::ExistingFile);
    const QStringList filters = QtFilters(Filter, ExecutablesWithoutExtension);
    dialog.setNameFilters(filters);
    if (!FileName.empty()) dialog.selectFile(Q(FileName));
    if (ExecutablesWithoutExtension) {
        // The toolkit's own dialog, as only it takes a filter of ours.
        dialog.setOption(QFileDialog::DontUseNativeDialog);
        dialog.setOption(QFileDialog::HideNameFilterDetails);
        auto* programs = new ProgramFilter(&dialog);
        dialog.setProxyModel(programs);
        QObject::connect(&dialog, &QFileDialog::filterSelected, [programs](const QString& e) { programs->Choose(e); });
        if (!filters.isEmpty()) programs->Choose(filters.front());
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return false;
    FileName = dialog.selectedFiles().front().toStdString();
    return true;
}

bool SelectFolder(const std::string& title, const std::string& startFolder, std::string& folder) {
    if (script) {
        script->FolderTitles.push_back(title);
        std::optional<std::string> answer = TakeAnswer(script->FolderAnswers, std::optional<std::string>());
        if (answer) folder = *answer;
        return answer.has_value();
    }
    QString chosen = QFileDialog::getExistingDirectory(nullptr, Q(title), Q(startFolder));
    if (chosen.isEmpty()) return false;
    folder = chosen.toStdString();
    return true;
}

ScriptedDialogs::ScriptedDialogs() { script = this; }
ScriptedDialogs::~ScriptedDialogs() { script = nullptr; }
ScriptedDialogs* ScriptedDialogs::Active() { return script; }

}  // namespace lumvex
