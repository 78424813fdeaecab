#pragma once

#include <functional>

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QWidget>

class QMenu;

// Widgets with the few behaviours the stock Qt widgets lack.
namespace tobarin {

enum class Align;
enum class TextFit;

// The horizontal alignment of the definition's Align.
[[nodiscard]] Qt::Alignment alignmentOf(Align align);

// A straight one-pixel bar in the window-text colour.
class LineControl : public QWidget {
public:
    explicit LineControl(QWidget *parent);

protected:
    void paintEvent(QPaintEvent *event) override;
};

// A frame with an etched border whose caption, if any, stands in the top
// edge at the left; the edge lies half a line of the frame's font below its
// top, so that a check box laid over it looks like the frame's caption.
class FrameControl : public QGroupBox {
public:
    FrameControl(const QString &caption, QWidget *parent);

protected:
    void paintEvent(QPaintEvent *event) override;
};

// A check box that takes a click anywhere on it, not only on its box and
// caption: it lies over a frame's edge and must take the clicks there.
class CheckBoxControl : public QCheckBox {
public:
    CheckBoxControl(const QString &caption, QWidget *parent);

protected:
    [[nodiscard]] bool hitButton(const QPoint &position) const override;
};

// The largest size of `base`, down a quarter point at a time, in which `text`
// fits `room` pixels.
[[nodiscard]] QFont fittingFont(const QFont &base, const QString &text, qreal room);

// A single-line entry field:
// - it reports the focus arriving and leaving for moves between the window's
//   own controls only, not when the window itself loses or regains activation
//   (a message box, the menu bar, another program);
// - its typing limit holds for typing and pasting, while a longer text that
//   the program writes is kept whole, and shown whole in a smaller size of
//   its font where it does not fit;
// - input-method composition is off: it holds short whole numbers;
// - a paste (Ctrl+V, Shift+Insert, the paste of its context menu) offers the
//   clipboard's text to a filter first, which may take it;
// - Ctrl+C with nothing selected is left to the window.
class EntryField : public QLineEdit {
    Q_OBJECT
public:
    EntryField(const QFont &font, int typingLimit, QWidget *parent);

    // Sets a text the program worked out: shown and kept whole, however long.
    void writeText(const QString &text);

    // Takes a pasted text by returning true; a text it leaves is pasted as
    // usual, within the typing limit.
    void setPasteFilter(std::function<bool(const QString &)> filter);

    // The context menu: the standard one, its paste through the filter, with
    // the items added on contextMenuOpening. The caller owns it.
    [[nodiscard]] QMenu *createContextMenu();

signals:
    void gotFocus();
    void lostFocus();
    void contextMenuOpening(QMenu *menu);

protected:
    bool event(QEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;

private:
    class TypingLimit;

    void fitText(const QString &text);
    void pasteClipboard();

    QFont m_baseFont;
    TypingLimit *m_validator;
    std::function<bool(const QString &)> m_pasteFilter;
};

// An option button whose arrow keys move the selection round its group in
// index order (Down and Right to the next button, Up and Left to the previous
// one), selecting and clicking the button they reach.
class OptionButton : public QRadioButton {
public:
    OptionButton(const QString &caption, QWidget *parent);

protected:
    void keyPressEvent(QKeyEvent *event) override;
};

// A label whose accessible name says what it is, followed by the text it
// shows, so that a screen reader reads both. A label that shrinks to fit draws
// a text wider than itself in a smaller size of the same face, just small
// enough to fit, with the full text as its tool tip; any other label clips
// such a text. Its geometry never changes.
class FittingLabel : public QLabel {
public:
    FittingLabel(const QFont &font, const QString &description, TextFit fit, QWidget *parent);

    void setFittingText(const QString &text);

private:
    QFont m_baseFont;
    QString m_description;
    TextFit m_fit;
};

}  // namespace tobarin
