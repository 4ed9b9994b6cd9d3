#pragma once
// The column beside the content area: the project and study captions, the world's
// economy, the publisher, the genre lights, the best platforms and the scrolling news feed.
// It is wide (188 px) or narrow (44 px).
#include <QFrame>
#include <QStringList>

class QBoxLayout;
class QLabel;
class QPushButton;
class TGenreLights;
class TBlinkLabel;
class TLinkButton;
class TNewsFeedView;

class TSidePanel : public QFrame {
    Q_OBJECT
public:
    static constexpr int WideWidth = 188;
    static constexpr int NarrowWidth = 44;
    static constexpr int PlatformLabelCount = 5;

    explicit TSidePanel(QWidget* parent = nullptr);

    void SetWide(bool wide);
    bool IsWide() const { return Wide; }

    // The project link ("Project" or "Game:" and the name) and its caption.
    void SetProject(const QString& link, const QString& caption, bool blinking);
    void SetStudyCaption(const QString& text);
    void SetEconomy(const QString& economy, const QString& headline);
    void SetPublisher(const QString& text);
    void SetBestPlatforms(const QStringList& names);
    // The hint that explains the genre lights.
    static QString LightsHint();

    QLabel* PlatformLabel(int index) const { return Platforms[index]; }
    QPushButton* LightsHelpButton() const { return LightsHelp; }

    TNewsFeedView* Feed() const { return FeedView; }
    TGenreLights* Lights() const { return LightsView; }
    QLabel* EconomyLabel() const { return Economy; }
    QLabel* HeadlineLabel() const { return Headline; }
    QLabel* PublisherLabel() const { return Publisher; }
    QLabel* StudyLabel() const { return StudyCaption; }

signals:
    // A link that opens a content panel, named by the menu link of that panel.
    void PanelRequested(const QString& link);
    void WorldNewsRequested();
    // The "?" beside the genre lights.
    void LightsHelpRequested();
    // The width really changed.
    void Widened();
    void Narrowed();

private:
    bool Wide = true;
    QWidget* Content;
    TLinkButton* ProjectLink;
    TBlinkLabel* ProjectCaption;
    QLabel* StudyCaption;
    QLabel* Economy;
    QLabel* Headline;
    QLabel* Publisher;
    QLabel* Platforms[PlatformLabelCount];
    TGenreLights* LightsView;
    QPushButton* LightsHelp;
    TNewsFeedView* FeedView;
    QBoxLayout* Toggles;
    QPushButton* WideButton;
    QPushButton* NarrowButton;
};
