#pragma once
// The animated starfield behind the main window's content: stars fly out of the middle of
// the window towards the player. It can be switched off (a still backdrop) and drawn on a
// black or a white sky.
#include <QTimer>
#include <QWidget>
#include <random>
#include <vector>

class TStarfield : public QWidget {
    Q_OBJECT
public:
    explicit TStarfield(QWidget* parent = nullptr);

    void SetRunning(bool running);
    // The stars stay where they are from now on, so that two pictures of the same screen are
    // the same (the screenshot tour).
    void HoldStill();
    bool IsRunning() const { return Running; }
    void SetWhiteSky(bool white);
    bool HasWhiteSky() const { return WhiteSky; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    struct TStar {
        double X, Y, Z;
    };
    void Step();
    TStar NewStar(bool anywhere);

    std::vector<TStar> Stars;
    std::mt19937 Rng{1984};
    QTimer Timer;
    bool Running = true;
    bool Still = false;
    bool WhiteSky = false;
};
