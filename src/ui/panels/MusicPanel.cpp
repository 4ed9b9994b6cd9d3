#include "ui/panels/MusicPanel.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QVBoxLayout>

#include "music/MusicPlayer.h"
#include "ui/widgets/LinkButton.h"

namespace {
const char* StyleHints[] = {
    "Orchestra and pop for the long evenings at the office",
    "Square waves and racing arpeggios from the home computers of the day",
    "Synthesiser colours of the sound cards in the office PCs",
    "Rock'n'roll and doo-wop from the jukebox",
    "Swing, walking bass and a late-night ballad",
    "A bossa nova, a waltz and a night drive",
};

const char* StyleSheet = R"(
QListWidget#SongList { background: #0b1020; border: 1px solid #34456e; border-radius: 4px; padding: 2px; }
QListWidget#SongList::item { padding: 4px 8px; }
QListWidget#SongList::item:selected { background: #e0a21c; color: #140e00; }
QListWidget#SongList::item:hover:!selected { background: rgba(255, 255, 255, 22); }
)";

QPushButton* ActionButton(const QString& text, const QString& hint, QWidget* parent) {
    auto* button = new QPushButton(text, parent);
    button->setProperty("action", true);
    button->setCursor(Qt::PointingHandCursor);
    button->setMinimumWidth(84);
    SetHint(button, hint);
    return button;
}
} // namespace

TMusicPanel::TMusicPanel(const TGame& game, TPanelHost& host, QWidget* parent)
    : TContentPanel(QStringLiteral("Player"), game, host, parent) {
    Body()->setStyleSheet(QString::fromLatin1(StyleSheet));
    auto* layout = new QVBoxLayout(Body());
    layout->setContentsMargins(16, 12, 16, 0);
    layout->setSpacing(10);

    auto* top = new QHBoxLayout;
    top->setSpacing(14);
    auto* genre = new QGroupBox(QStringLiteral(" Genre "), Body());
    auto* genreLayout = new QVBoxLayout(genre);
    genreLayout->setSpacing(6);
    Styles = new QButtonGroup(this);
    for (int style = 0; style < static_cast<int>(MusicStyles.size()); ++style) {
        auto* button = new QRadioButton(QString::fromLatin1(MusicStyles[style]), genre);
        SetHint(button, tr(StyleHints[style]));
        Styles->addButton(button, style);
        genreLayout->addWidget(button);
    }
    genreLayout->addStretch(1);
    genre->setMinimumWidth(150);
    top->addWidget(genre, 0);

    auto* songsBox = new QVBoxLayout;
    auto* songsCaption = new QLabel(tr("Songs"), Body());
    songsCaption->setProperty("caption", true);
    Songs = new QListWidget(Body());
    Songs->setObjectName(QStringLiteral("SongList"));
    Songs->setSelectionMode(QAbstractItemView::SingleSelection);
    Songs->setAlternatingRowColors(true);
    SetHint(Songs,
            tr("Click a song to play it. After \"Stop\" tick and untick \"Mute\" to have music again."));
    songsBox->addWidget(songsCaption);
    songsBox->addWidget(Songs, 1);
    top->addLayout(songsBox, 1);
    layout->addLayout(top, 1);

    auto* controls = new QHBoxLayout;
    controls->setSpacing(10);
    Play = ActionButton(QStringLiteral("Play"), tr("Play the chosen song"), Body());
    Stop =
        ActionButton(QStringLiteral("Stop"),
                     tr("Stop the music. It stays off until \"Mute\" has been ticked and unticked."), Body());
    Mute = new QCheckBox(QStringLiteral("Mute"), Body());
    SetHint(Mute, tr("Ticked, the music stops; unticked, songs may play again"));
    auto* volumeCaption = new QLabel(QStringLiteral("Volume:"), Body());
    volumeCaption->setProperty("caption", true);
    Volume = new QSlider(Qt::Horizontal, Body());
    Volume->setRange(0, MaxMusicVolume);
    Volume->setSingleStep(MusicVolumeStep);
    Volume->setPageStep(MusicVolumeStep);
    Volume->setValue(InitialMusicVolume);
    Volume->setMinimumWidth(160);
    const QString volumeHint = tr("How loud the songs play");
    SetHint(Volume, volumeHint);
    SetHint(volumeCaption, volumeHint);
    controls->addWidget(Play);
    controls->addWidget(Stop);
    controls->addSpacing(6);
    controls->addWidget(Mute);
    controls->addStretch(1);
    controls->addWidget(volumeCaption);
    controls->addWidget(Volume, 1);
    layout->addLayout(controls);

    connect(Styles, &QButtonGroup::idClicked, this, &TMusicPanel::StyleChosen);
    connect(Songs, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { emit SongClicked(Songs->row(item)); });
    connect(Play, &QPushButton::clicked, this, &TMusicPanel::PlayPressed);
    connect(Stop, &QPushButton::clicked, this, &TMusicPanel::StopPressed);
    connect(Mute, &QCheckBox::toggled, this, &TMusicPanel::MuteToggled);
    connect(Volume, &QSlider::valueChanged, this, &TMusicPanel::VolumeChanged);
}

QRadioButton* TMusicPanel::StyleButton(int style) const {
    return qobject_cast<QRadioButton*>(Styles->button(style));
}

void TMusicPanel::ShowStyle(int style) {
    if (QAbstractButton* button = Styles->button(style)) {
        const QSignalBlocker quiet(Styles);
        button->setChecked(true);
    }
}

void TMusicPanel::ShowSongs(const QStringList& songs, int current) {
    const QSignalBlocker quiet(Songs);
    QStringList shown;
    for (int row = 0; row < Songs->count(); ++row)
        shown.append(Songs->item(row)->text());
    if (shown != songs) {
        Songs->clear();
        Songs->addItems(songs);
    }
    if (current >= 0 && current < Songs->count())
        Songs->setCurrentRow(current);
    else
        Songs->clearSelection();
}

void TMusicPanel::ShowMute(bool muted) {
    const QSignalBlocker quiet(Mute);
    Mute->setChecked(muted);
}

void TMusicPanel::ShowVolume(int volume) {
    const QSignalBlocker quiet(Volume);
    Volume->setValue(volume);
}
