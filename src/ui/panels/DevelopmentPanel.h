#pragma once
// The "Development" panel: the project area (name, genre, platform, technology, options,
// advertising, the buttons of the project's life, its progress) and the hire-assistants box.
#include <array>

#include "ui/panels/ContentPanel.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QProgressBar;
class TBlinkLabel;
class TCounter;

class TDevelopmentPanel : public TContentPanel {
    Q_OBJECT
public:
    TDevelopmentPanel(const TGame& game, TPanelHost& host, QWidget* parent = nullptr);

    // Opening the panel estimates the project afresh: tools, managers and assistants may have
    // changed since.
    std::optional<TGesture> Opening() const override { return TOpenDevelopment{}; }
    void Render() override;

    QWidget* ProjectArea() const { return Project; }
    QLineEdit* NameBox() const { return Name; }
    QComboBox* GenreBox() const { return Genre; }
    QComboBox* PlatformBox() const { return Platform; }
    QComboBox* TechnologyBox() const { return Technology; }
    // "Beta Testing", "Make a Demo", "MultiPlay", "Game Extras".
    QCheckBox* OptionBox(int option) const { return Options.at(static_cast<size_t>(option)); }
    QComboBox* AdvertisingBox() const { return Advertising; }
    // "Develop existing game for an other platform".
    QPushButton* PortLink() const { return Port; }
    QPushButton* PreviewButton() const { return Preview; }
    QPushButton* LatestPreviewButton() const { return LatestPreview; }
    QPushButton* StartNewButton() const { return StartNew; }
    QPushButton* StartProjectButton() const { return StartProject; }
    QPushButton* CancelButton() const { return Cancel; }
    QPushButton* ReleaseButton() const { return Release; }
    // "Engine", "Sfx,Music", "Graphics".
    QProgressBar* ProgressBar(int area) const { return Bars.at(static_cast<size_t>(area)); }
    QLineEdit* TimeBox() const { return Weeks; }
    TBlinkLabel* StatusCaption() const { return Status; }
    QProgressBar* BusyAnimation() const { return Busy; }

    // Programmers, musicians, graphic designers.
    TCounter* AssistantCounter(int kind) const { return Counters.at(static_cast<size_t>(kind)); }
    TBlinkLabel* SpaceLabel() const { return Space; }
    QLabel* ErrorLine() const { return Error; }
    QLabel* WageLabel() const { return Wage; }

signals:
    // The porting link: the dialog that chooses the game to port and its platform.
    void PortDialogRequested();

private:
    QWidget* BuildProjectArea();
    void RenderProject();

    QWidget* Project;
    QLineEdit* Name;
    QComboBox* Genre;
    QComboBox* Platform;
    QComboBox* Technology;
    std::array<QCheckBox*, 4> Options{};
    QComboBox* Advertising;
    QPushButton* Port;
    QPushButton* Preview;
    QPushButton* LatestPreview;
    QLabel* TechnologyCaption;
    QPushButton* StartNew;
    QPushButton* StartProject;
    QPushButton* Cancel;
    QPushButton* Release;
    std::array<QProgressBar*, 3> Bars{};
    QLineEdit* Weeks;
    TBlinkLabel* Status;
    QProgressBar* Busy;
    QWidget* NameGroup;
    QWidget* OptionsGroup;
    QWidget* AdvertisingGroup;
    bool WasReady = false;
    std::array<TCounter*, 3> Counters{};
    TBlinkLabel* Space;
    QLabel* Error;
    QLabel* Wage;
};
