#pragma once

#include <QLabel>

// A label that reports a left click anywhere inside it, or Enter or Space while it
// has the keyboard focus: the category pictures and the web and mail links of the
// main window.
class ClickableLabel : public QLabel {
    Q_OBJECT
public:
    explicit ClickableLabel(QWidget *parent = nullptr);

signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
};
