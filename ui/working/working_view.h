#pragma once

#include "engine/working/working.h"

#include <QWidget>

class QPainter;

namespace tobarin {

// Draws a recorded working as a textbook writes it: fractions stacked
// (numerator, bar, denominator), a mixed number's integer part beside its
// fraction, a negative number after an operation in parentheses, each step on
// a line of its own starting with "=" and with its note beside it, and the
// report that ended the calculation, if any, below. It only reads the
// recorded numbers; it never works one out.
//
// Until it is revealed it draws what WorkingReveal (form/working_definition.h)
// shows beforehand, the problem alone, so that a pupil can check an answer
// without seeing it first. Screen readers find the text form of
// what is drawn in its accessible description.
class WorkingView : public QWidget {
public:
    explicit WorkingView(QWidget *parent);

    void setWorking(const Working &working);
    void setRevealed(bool revealed);

    // What is drawn, in the text form of the working.
    [[nodiscard]] QString shownText() const;

    [[nodiscard]] QSize sizeHint() const override;
    [[nodiscard]] QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    // Lays out and, given a painter, draws; gives the size of the whole.
    QSizeF typeset(QPainter *painter) const;
    void contentsChanged();

    Working m_working;
    bool m_revealed = false;
    QSize m_size;
};

}  // namespace tobarin
