#pragma once
// The frame around a group of options, drawn as the stored layout places its contents: the
// caption stands in the frame's top line, so the controls laid out just below it stay clear of
// the line. (The toolkit's own group boxes draw the line beneath the caption, through them.)
#include <QGroupBox>

namespace plainquill {

class CaptionFrame : public QGroupBox {
public:
    explicit CaptionFrame(const QString& caption, QWidget* parent = nullptr);

    // The row of the top line: the middle of the caption.
    int topLineY() const;
    // Where the caption is drawn, over a gap in the top line.
    QRect captionRect() const;

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace plainquill
