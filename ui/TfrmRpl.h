#pragma once
// The broken-line summary window: the broken line against the rhumb line in
// distance and time, the savings, and the spacing that produced the line,
// with the value the user set marked. The texts are the domain's; the window
// keeps them between showings, so a line that does not qualify leaves the
// previous content (or the design texts) in place.

#include <QRect>
#include "ui/KeyFirstDialog.h"

#include "brokenline/BrokenLineSummary.h"

class QFrame;
class QLabel;
class QPushButton;

namespace velmar::ui {

class TfrmRpl final : public KeyFirstDialog {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TfrmRpl)

  public:
    explicit TfrmRpl(QWidget* parent = nullptr);

    /// Fills the labels from the scheme and the line (only when
    /// mo < TotalDistance < ml) and shows the window modally.
    void ShowSummary(const Scheme& scheme, const BrokenLine& line);

    /// The labels' texts as they stand.
    const SummaryLabels& Labels() const { return labels_; }

  protected:
  private:
    void ShowLabels();
    void Layout();
    void Copy();
    /// The window's keys, seen before any control: Ctrl+Insert copies and
    /// Escape closes, both on release. True when the key was the window's.
    bool HandleKey(const QKeyEvent& event) override;

    SummaryLabels labels_;
    QPushButton* hsCopia_;
    QPushButton* hbFine_;
    QFrame* shape1_;
    QFrame* shape2_;
    QFrame* bevel3_;
    QLabel* lblD_mg_;
    QLabel* lblD_H_;
    QLabel* label1_;
    QLabel* label2_;
    QLabel* label3_;
    QLabel* lblL_Ml_;
    QLabel* lblS_Ml_;
    QLabel* lblR_Ml_;
    QLabel* lblL_Dt_;
    QLabel* lblS_Dt_;
    QLabel* lblR_Dt_;
    QLabel* lblPtCr_;
    QLabel* lblLab_NrPt_;
    QLabel* lblVal_NrPt_;
    QLabel* lblLab_DLonP_;
    QLabel* lblVal_DLonP_;
    QLabel* label4_;
};

}  // namespace velmar::ui
