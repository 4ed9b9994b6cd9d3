#pragma once
// A main window on the offscreen platform with every dialog closed automatically, and the
// gestures a player makes on the start screen.
#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>
#include <ostream>

#include "state/Game.h"
#include "ui/MainWindow.h"
#include "ui/ModalHost.h"
#include "ui/StartScreenDialog.h"

// Readable failure messages for Qt strings.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

// Fills in the start screen and presses "Start Game".
inline std::function<void(QDialog&)> TypeNamesAndStart(const QString& player, const QString& company) {
    return [player, company](QDialog& dialog) {
        auto& screen = dynamic_cast<TStartScreenDialog&>(dialog);
        screen.PlayerNameEdit()->setText(player);
        screen.CompanyNameEdit()->setText(company);
        QTest::mouseClick(screen.StartButton(), Qt::LeftButton);
    };
}

class TGuiTest : public ::testing::Test {
protected:
    void SetUp() override {
        Window = std::make_unique<TMainWindow>(20240607u);
        Window->Modals().AutoClose = true;
        Window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(Window.get()));
    }

    // Runs the start-up sequence with the start screen answered by the gesture.
    void Start(std::function<void(QDialog&)> gesture = TypeNamesAndStart("Ada", "Byte Works")) {
        Window->Modals().Gestures.push_back(std::move(gesture));
        Window->StartupTick();
    }

    TGame& Game() { return Window->Game(); }
    TModalHost& Modals() { return Window->Modals(); }

    std::unique_ptr<TMainWindow> Window;
};
