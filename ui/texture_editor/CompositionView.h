#pragma once

#include <QImage>
#include <QWidget>

// The composed button on a checkerboard, so that transparency shows; enlarged by the
// biggest whole factor (up to 8) that fits, or shrunk to fit.
class CompositionView : public QWidget {
    Q_OBJECT

public:
    explicit CompositionView(QWidget* parent = nullptr);

    void setComposition(const QImage& image);
    const QImage& composition() const { return picture; }
    // The factor the composition is shown with, and where its upper left corner is; a view
    // that holds its picture in place while it changes gives its own.
    virtual double shownScale() const;
    virtual QPoint shownOrigin() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage picture;
};
