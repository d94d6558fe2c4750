#pragma once
// A label that keeps its text whole where the text fits, condensed a little where it almost
// fits, and shortened at the end with an ellipsis where it cannot fit: never cut off at both
// ends, as a plain label cuts centred text that is too wide for it.

#include <QLabel>

namespace horvane {

class FittedLabel : public QLabel {
public:
    using QLabel::QLabel;

    // What is drawn, and in which font: the text and the label's font while the text fits.
    QString ShownText() const;
    QFont ShownFont() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    struct Fit {
        QString text;
        QFont font;
    };
    Fit Fitted() const;
};

} // namespace horvane
