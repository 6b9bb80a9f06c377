#include "platform/services/Shell.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QUrl>

#include "platform/SysUtils.h"

namespace lumvex {

namespace {
ScriptedShell* script = nullptr;
}

std::vector<std::string> SplitParameters(const std::string& parameters) {
    std::vector<std::string> arguments;
    std::string current;
    bool quoted = false, started = false;
    for (char c : parameters) {
        if (c == '"') {
            quoted = !quoted;
            started = true;
        } else if (c == ' ' && !quoted) {
            if (started) arguments.push_back(std::move(current));
            current.clear();
            started = false;
        } else {
            current += c;
            started = true;
        }
    }
    if (started) arguments.push_back(std::move(current));
    return arguments;
}

void ShellExecute(const std::string& verb, const std::string& program, const std::string& parameters,
                  const std::string& folder) {
    ShellExecute(verb, program, SplitParameters(parameters), folder);
}

void ShellExecute(const std::string& verb, const std::string& program, const std::vector<std::string>& arguments,
                  const std::string& folder) {
    bool started = false;
    if (script) {
        script->Calls.push_back({verb, program, arguments, folder});
        started = script->Succeeds;
    } else {
        QStringList list;
        for (const std::string& argument : arguments) list << QString::fromStdString(argument);
        // The program is looked for in the working folder first, then on the search path.
        QString path = QString::fromStdString(program);
        const QFileInfo inFolder(QDir(QString::fromStdString(folder)), path);
        if (!folder.empty() && inFolder.isFile() && inFolder.isExecutable()) path = inFolder.absoluteFilePath();
        started = !program.empty() && QProcess::startDetached(path, list, QString::fromStdString(folder));
    }
    if (!started)
        throw EInOutError("Cannot start the program \"" + program + "\"" +
                          (folder.empty() ? std::string() : " in " + folder) +
                          ": it does not exist or cannot be run");
}

bool OpenURL(const std::string& url) {
    if (script) {
        script->Urls.push_back(url);
        return script->Succeeds;
    }
    return QDesktopServices::openUrl(QUrl(QString::fromStdString(url)));
}

ScriptedShell::ScriptedShell() { script = this; }
ScriptedShell::~ScriptedShell() { script = nullptr; }

}  // namespace lumvex
