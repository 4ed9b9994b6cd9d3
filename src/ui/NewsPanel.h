#pragma once
// The "News" panel: this week's feed as plain text in a fixed-pitch box.
#include "ui/ContentPanel.h"

class QPlainTextEdit;

class TNewsPanel : public TContentPanel {
    Q_OBJECT
public:
    explicit TNewsPanel(QWidget* parent = nullptr);
    void SetText(const QString& text);
    QString Text() const;

private:
    QPlainTextEdit* Box;
};
