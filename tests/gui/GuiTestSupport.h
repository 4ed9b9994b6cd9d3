#pragma once
// A main window on the offscreen platform with every dialog closed automatically, and the
// gestures a player makes on the start screen and in the panels.
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>
#include <ostream>

#include "game/Game.h"
#include "ui/dialogs/StartScreenDialog.h"
#include "ui/panels/ContentPanel.h"
#include "ui/widgets/LinkButton.h"
#include "ui/window/MainWindow.h"
#include "ui/window/ModalHost.h"

// Readable failure messages for Qt strings.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

// The test program's folder (see GuiMain.cpp), where the game keeps its files; ends in '/'.
QString TestFolder();

// Fills in the start screen and presses "Start Game".
inline std::function<void(QDialog&)> TypeNamesAndStart(const QString& player, const QString& company) {
    return [player, company](QDialog& dialog) {
        auto& screen = dynamic_cast<TStartScreenDialog&>(dialog);
        screen.PlayerNameEdit()->setText(player);
        screen.CompanyNameEdit()->setText(company);
        QTest::mouseClick(screen.StartButton(), Qt::LeftButton);
    };
}

// A gesture on the next dialog, which must be of type T.
template <typename T>
std::function<void(QDialog&)> OnDialog(std::function<void(T&)> gesture) {
    return [gesture](QDialog& dialog) {
        auto* typed = dynamic_cast<T*>(&dialog);
        ASSERT_NE(typed, nullptr) << "unexpected dialog " << dialog.windowTitle().toStdString();
        gesture(*typed);
    };
}

// A click on a row of a grid, as the mouse makes it.
// The panels of the main window a player can see.
inline QList<TContentPanel*> VisiblePanels(TMainWindow& window) {
    QList<TContentPanel*> shown;
    for (auto* panel : window.findChildren<TContentPanel*>())
        if (panel->isVisible()) shown.append(panel);
    return shown;
}

inline void ClickRow(QTableWidget* grid, int row) {
    QTableWidgetItem* item = grid->item(row, 0);
    ASSERT_NE(item, nullptr);
    grid->scrollToItem(item);
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualItemRect(item).center());
}

class TGuiTest : public ::testing::Test {
protected:
    void SetUp() override {
        // Every test starts without a profile or a saved game from an earlier one.
        QFile::remove(TestFolder() + "player.ini");
        QDir(TestFolder() + "QlSave").removeRecursively();
        const std::string folder = TestFolder().toStdString();
        Window = std::make_unique<TMainWindow>(20240607u, TFolders{folder, folder});
        Window->Modals().AutoClose = true;
        Window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(Window.get()));
    }

    // Runs the start-up sequence with the start screen answered by the gesture.
    void Start(std::function<void(QDialog&)> gesture = TypeNamesAndStart("Ada", "Byte Works")) {
        Window->Modals().Gestures.push_back(std::move(gesture));
        Window->StartupTick();
    }

    // Opens the panel of a menu link as the player does.
    void Open(const QString& link) { QTest::mouseClick(Window->Link(link), Qt::LeftButton); }

    // The next dialog gets this gesture before it is closed.
    void Then(std::function<void(QDialog&)> gesture) { Modals().Gestures.push_back(std::move(gesture)); }

    const TShownDialog& LastDialog() {
        EXPECT_FALSE(Modals().Shown.empty());
        return Modals().Shown.back();
    }

    TGame& Game() { return Window->Game(); }
    TModalHost& Modals() { return Window->Modals(); }

    std::unique_ptr<TMainWindow> Window;
};
