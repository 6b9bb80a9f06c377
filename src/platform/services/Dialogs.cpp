#include "platform/services/Dialogs.h"

#include <QColorDialog>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
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

// "shown|*.a;*.b|…" as the toolkit's "shown (*.a *.b);;…".
QString QtFilter(const std::string& filter) {
    QStringList parts = Q(filter).split('|');
    QStringList entries;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2)
        entries << parts[i] + " (" + QString(parts[i + 1]).replace(';', ' ') + ")";
    return entries.join(";;");
}

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
    QString chosen = QFileDialog::getOpenFileName(nullptr, Q(Title), Q(InitialDir), QtFilter(Filter));
    if (chosen.isEmpty()) return false;
    FileName = chosen.toStdString();
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
