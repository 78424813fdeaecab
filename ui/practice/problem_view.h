#pragma once

#include "engine/working/working.h"

#include <optional>

#include <QString>
#include <QWidget>

class QPainter;

namespace tobarin {

// Draws a problem to answer as a textbook sets it: its fractions stacked,
// with "=" after it (Typesetter). It only draws the numbers it is given.
// Screen readers read the problem's text in its accessible description.
class ProblemView : public QWidget {
public:
    explicit ProblemView(QWidget *parent);

    // The problem's first line of working, and the same as text.
    void setProblem(const Expression &problem, const QString &text);

    [[nodiscard]] QSize sizeHint() const override { return m_size; }
    [[nodiscard]] QSize minimumSizeHint() const override { return m_size; }

protected:
    void paintEvent(QPaintEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    // Lays out and, given a painter, draws; gives the size of the whole.
    QSizeF typeset(QPainter *painter) const;
    void contentsChanged();

    std::optional<Expression> m_problem;
    QSize m_size;
};

}  // namespace tobarin
