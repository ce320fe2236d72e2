// A progress bar that paints itself: the filled part in one colour, the rest
// in another, and over both a centred text (its caption, or the filled
// fraction as "%.1f%%") that changes colour where it crosses the edge of the
// fill. It keeps its own range and position; the position is not clamped, so
// a position past the range draws a full bar with more than 100%. A frame
// style, if set, is drawn around the bar.
#pragma once

#include <QColor>
#include <QFrame>
#include <QString>

class CTextProgressCtrl : public QFrame {
    Q_OBJECT
public:
    explicit CTextProgressCtrl(QWidget* parent = nullptr);

    void SetRange(int lower, int upper); // no repaint
    void GetRange(int& lower, int& upper) const;
    int GetPos() const { return position_; }
    // Stores the position and repaints at once; returns the previous one.
    // Before the widget has a window it stores nothing and returns -1.
    int SetPos(int position);
    int OffsetPos(int amount);
    int StepIt();
    int SetStep(int step); // returns the previous step
    void SetShowText(bool show);
    bool GetShowText() const { return showText_; }

    // Colours show at the next paint; these do not repaint.
    void SetBarColour(const QColor& colour) { barColour_ = colour; }
    void SetBgColour(const QColor& colour) { bgColour_ = colour; }
    void SetTextColour(const QColor& colour) { textColour_ = colour; }       // over the empty part
    void SetTextBarColour(const QColor& colour) { textBarColour_ = colour; } // over the fill
    QColor GetBarColour() const { return barColour_; }
    QColor GetBgColour() const { return bgColour_; }
    QColor GetTextColour() const { return textColour_; }
    QColor GetTextBarColour() const { return textBarColour_; }

    // A vertical bar fills from the bottom edge upwards.
    void SetVertical(bool vertical);
    bool IsVertical() const { return vertical_; }

    // The caption: a non-empty one replaces the percentage, an empty one
    // brings it back. The widget's window title follows it too.
    void SetWindowText(const QString& text);
    QString GetWindowText() const { return caption_; }
    // Copies at most size - 1 characters of the caption into buffer and a
    // terminating zero; returns the number copied (0 for a size of 0).
    int GetWindowText(QChar* buffer, int size) const;

    // What the bar says: the caption, or the percentage.
    QString DisplayText() const;

    QSize sizeHint() const override { return {320, 20}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    double fraction() const;
    void updateAccessibleText();

    int position_ = 0;
    int step_ = 1;
    int upper_ = 100;
    int lower_ = 0;
    QString caption_;
    bool showText_ = true;
    QColor barColour_;
    QColor bgColour_;
    QColor textColour_;
    QColor textBarColour_;
    bool vertical_ = false;
};
