// The real folder dialog, driven through its widgets while it runs.
#include "platform/services/FolderDialog.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QTimer>
#include <filesystem>
#include <functional>

#include "TestFiles.h"

namespace lumvex {
namespace {

QAbstractButton* OkButton(QWidget* dialog) {
    auto* buttons = dialog->findChild<QDialogButtonBox*>();
    for (QAbstractButton* button : buttons->buttons())
        if (buttons->buttonRole(button) == QDialogButtonBox::AcceptRole) return button;
    return nullptr;
}

// Runs the dialog; drive runs once it has opened, with the dialog's widget.
std::optional<std::string> RunDriven(const FolderDialogOptions& options, FolderDialogCallbacks callbacks,
                                     const std::function<void(QWidget* dialog)>& drive) {
    auto open = callbacks.OnOpen;
    callbacks.OnOpen = [&, open](FolderDialogWindow& window) {
        if (open) open(window);
        QTimer::singleShot(0, [&] {
            QWidget* dialog = QApplication::activeModalWidget();
            drive(dialog);
            if (dialog->isVisible()) dialog->findChild<QFileDialog*>()->reject();
        });
    };
    return RunFolderDialog(options, callbacks);
}

class FolderDialogTest : public ::testing::Test {
protected:
    FolderDialogTest() {
        folder = dir.Path() + "/albums";
        std::filesystem::create_directory(folder);
        file = dir.Write("list.txt", "x");
    }
    test::TempDir dir;
    std::string folder, file;
};

TEST_F(FolderDialogTest, OwnerPlacesSelectsAndControlsOk) {
    TRect opened;
    std::vector<std::string> seen;
    FolderDialogCallbacks callbacks;
    callbacks.OnOpen = [&](FolderDialogWindow& window) {
        opened = window.Bounds();
        window.MoveTo(30, 40);
        window.SelectFolder(folder + "/");
    };
    callbacks.OnSelChanged = [&](FolderDialogWindow& window, const std::string& path) {
        seen.push_back(path);
        window.SetOkEnabled(path == folder);
    };
    bool okOnFolder = false, okOnFile = true, stayedOpen = false;
    QPoint position;
    FolderDialogOptions options;
    options.EditBox = true;
    const auto chosen = RunDriven(options, callbacks, [&](QWidget* dialog) {
        position = dialog->frameGeometry().topLeft();
        QAbstractButton* ok = OkButton(dialog);
        okOnFolder = ok->isEnabled();
        auto* edit = dialog->findChild<QLineEdit*>("fileNameEdit");
        edit->setText(QString::fromStdString(file));
        okOnFile = ok->isEnabled();
        ok->setEnabled(true);  // as the file view does by its own rules
        okOnFile = okOnFile || ok->isEnabled();
        // As Enter would: refused while OK is off.
        QMetaObject::invokeMethod(dialog->findChild<QFileDialog*>(), "accept");
        stayedOpen = dialog->isVisible();
        edit->setText(QString::fromStdString(folder));
        ok->click();
    });
    EXPECT_GT(opened.Width(), 0);
    EXPECT_EQ(position, QPoint(30, 40));
    EXPECT_TRUE(okOnFolder);
    EXPECT_FALSE(okOnFile);
    EXPECT_TRUE(stayedOpen);
    ASSERT_GE(seen.size(), 3u);
    EXPECT_EQ(seen.front(), folder);
    EXPECT_EQ(chosen, folder);
}

TEST_F(FolderDialogTest, CancelChoosesNothingAndOptionsShapeTheDialog) {
    FolderDialogOptions options;
    options.Title = "Célmappa";
    options.StatusLine = true;
    FolderDialogCallbacks callbacks;
    callbacks.OnOpen = [](FolderDialogWindow& window) { window.SetStatusText("Állapot"); };
    QStringList labels;
    bool editHidden = false, fixedSize = false;
    const auto chosen = RunDriven(options, callbacks, [&](QWidget* dialog) {
        for (QLabel* label : dialog->findChildren<QLabel*>()) labels << label->text();
        editHidden = dialog->findChild<QLineEdit*>("fileNameEdit")->isHidden();
        fixedSize = dialog->minimumSize() == dialog->maximumSize();
        dialog->findChild<QFileDialog*>()->reject();
    });
    EXPECT_FALSE(chosen.has_value());
    EXPECT_TRUE(labels.contains("Célmappa"));
    EXPECT_TRUE(labels.contains("Állapot"));
    EXPECT_TRUE(editHidden);
    EXPECT_TRUE(fixedSize);
}

TEST(NormalFolderPath, DropsTrailingSeparatorsExceptTheRoot) {
    EXPECT_EQ(NormalFolderPath("/tmp/a/"), "/tmp/a");
    EXPECT_EQ(NormalFolderPath("/tmp//a/./b/.."), "/tmp/a");
    EXPECT_EQ(NormalFolderPath("/"), "/");
    EXPECT_EQ(NormalFolderPath(""), "");
}

}  // namespace
}  // namespace lumvex
