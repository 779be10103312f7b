// CVkbWnd: the window of the virtual keyboard, a picture of keys that are pressed with the
// mouse. The keyboard itself (pictures, shape book, key shape map, pointer states) is a
// CVkbModel; this widget shows its display picture 1:1 and feeds it the mouse.
//
// Mouse: a left-button press (and a double click, while double clicks press) shows the
// pressed key at once and runs the press lookup; a release runs the release lookup; moving
// the pointer highlights the key under it (mouse tracking is on), and leaving the window
// takes the highlight away. The lookups of this class send keyPressed / keyReleased with
// the key value of the shape under the pointer; nothing for a point outside every key or a
// key the key shape map does not list. Subclasses replace the lookups (CCalcPanel).
//
// The transparent colour of the pictures is replaced by the palette's button colour, again
// whenever the palette changes.
//
// Shape labels: when switched on (for panel authors), every shape is outlined and its label
// text (CSob::LabelText, filled by UpdateShapeLabels) is written over it.
#pragma once

#include <QWidget>
#include <memory>

#include "ui/vkb_model.h"

class CTagBufLst;

class CVkbWnd : public QWidget {
    Q_OBJECT
public:
    explicit CVkbWnd(QWidget* parent = nullptr);
    ~CVkbWnd() override;

    CVkbModel& Model() { return *m_model; }
    const CVkbModel& Model() const { return *m_model; }

    // Loads the keyboard from its tag list (emptied) and shows it.
    int LoadFromTagList(CTagBufLst& list);
    // Any of the three may be null (that picture stays).
    void SetPictures(const CPixBuf* normal, const CPixBuf* pressed, const CPixBuf* highlight);
    // Rebuilds the pictures with the present button colour of the palette.
    void ReplaceTransparency();
    // The palette's button colour as a colour value (red low).
    uint32_t ButtonFaceColour() const;

    // Redraws the keys into the display picture; with repaint, paints the window at once
    // (so a pressed key shows before a long press handling), else schedules a paint.
    // Returns the number of keys drawn.
    virtual int Redraw(bool repaintNow);

    void SetShapeLabelsShown(bool on);
    bool ShapeLabelsShown() const { return m_showLabels; }

    QSize sizeHint() const override;

signals:
    void keyPressed(int keyValue);
    void keyReleased(int keyValue);

protected:
    // For subclasses with a model of their own.
    CVkbWnd(std::unique_ptr<CVkbModel> model, QWidget* parent);

    // page: active page index; object: the shape object under the pointer or -1. Return 1
    // when something was sent.
    virtual int PressLookup(int page, int object);
    virtual int ReleaseLookup(int page, int object);
    // Fills the label texts of the shapes; the base has none to give.
    virtual void UpdateShapeLabels() {}
    // After the description changed: new size, labels, a fresh paint.
    void DescriptionChanged();

    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void HandleMouse(CVkbModel::EMouse kind, QPoint pos, bool leftDown);
    void PaintShapeLabels(class QPainter& painter) const;

    std::unique_ptr<CVkbModel> m_model;
    bool m_showLabels = false;
};
