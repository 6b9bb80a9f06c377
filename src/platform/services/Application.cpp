#include "platform/services/Application.h"

#include <QApplication>
#include <QMessageBox>
#include <memory>

#include "platform/SysUtils.h"

namespace lumvex {

TApplication Application;

namespace {
std::unique_ptr<QApplication>& QtApp() {
    static std::unique_ptr<QApplication> app;
    return app;
}
}  // namespace

void TApplication::Initialize(int& argc, char** argv) {
    if (QApplication::instance()) return;
    QtApp() = std::make_unique<QApplication>(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
}

bool TApplication::Initialized() const { return QApplication::instance() != nullptr; }

int TApplication::Run() {
    terminated_ = false;
    return QApplication::exec();
}

void TApplication::Terminate() {
    terminated_ = true;
    QApplication::quit();
}

void TApplication::ProcessMessages() { QApplication::processEvents(); }

void TApplication::Dispatch(const std::function<void()>& handler) {
    try {
        handler();
    } catch (const std::exception& error) {
        ShowException(error);
    } catch (...) {
        ShowException(Exception("Unknown error"));
    }
}

void TApplication::ShowException(const std::exception& error) {
    std::string message = error.what();
    if (ErrorBox) {
        ErrorBox(message);
        return;
    }
    QMessageBox box(QMessageBox::Critical, QString::fromStdString(Title), QString::fromStdString(message),
                    QMessageBox::Ok);
    box.exec();
}

}  // namespace lumvex
