#pragma once

class QMouseEvent;
class QRect;
class QWidget;

namespace tq {

// Where the message view's controls go, and the band between the message pane and the rest,
// which the user drags up and down:
//
//   message pane             (0, 0)        full width, height = splitter position y
//   splitter band            y .. y + 5
//   destination box          (0, y + 7)    w = 300, or less in a narrow window
//   importance mark          (w + 1, y + 4)
//   AutoAnswer check box     (w + 18, y + 12)
//   compose box              (0, y + 40)   down to 30 pixels above the bottom
//   Send button              the bottom 30 pixels
class ViewSplitter {
public:
    // Never less than this is left below the message pane.
    static constexpr int kBelowSplitter = 70;
    static constexpr int kSplitterBand = 5;

    struct Controls {
        QWidget *messagePane = nullptr;
        QWidget *destinationBox = nullptr;
        QWidget *importanceIcon = nullptr;
        QWidget *autoAnswerCheck = nullptr;
        QWidget *composeBox = nullptr;
        QWidget *sendButton = nullptr;
    };

    // `view` holds the controls; `position` is the splitter's from the last run.
    ViewSplitter(QWidget &view, const Controls &controls, int position);

    int position() const { return m_y; }
    // Once the view has its real size: a position saved in a larger window would leave no
    // room below the pane. Until then the position is taken as it is.
    void settle();
    bool isSettled() const { return m_settled; }
    // Places the controls for the view's size and the position.
    void layout();
    // The two sunken lines that frame the band; from the view's paint event.
    void paint();
    // The view's mouse events; true when the splitter took the event.
    bool mousePress(QMouseEvent *event);
    bool mouseMove(QMouseEvent *event);
    bool mouseRelease(QMouseEvent *event);

private:
    QRect band() const;

    QWidget &m_view;
    const Controls m_controls;
    int m_y;
    bool m_settled = false;
    bool m_dragging = false;
};

} // namespace tq
