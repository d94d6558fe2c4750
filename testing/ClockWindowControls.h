#pragma once
// The clock window's controls as a user finds them: by the names they were designed with.

#include "clock/FaceBox.h"
#include "clock/MainWindowDesign.h"
#include "platform/ui/FittedLabel.h"

#include <QLabel>
#include <QPushButton>
#include <array>

namespace horvane::test_support {

class ClockWindowControls {
    const QWidget& window_; // first: the controls below are found in it

public:
    explicit ClockWindowControls(const QWidget& window) : window_(window) {
        for (int row = 0; row < kBoardEventCount; ++row) {
            lblLast[row] = Find<FittedLabel>(kBoardRowDesigns[row].lastName);
            lblNext[row] = Find<FittedLabel>(kBoardRowDesigns[row].nextName);
        }
    }

    template <class Control = QLabel> Control* Find(const char* name) const {
        return window_.findChild<Control*>(name, Qt::FindDirectChildrenOnly);
    }
    QLabel* Label(const char* name) const { return Find(name); }

    FittedLabel* lblTime = Find<FittedLabel>("lblTime");
    FittedLabel* lblLocation = Find<FittedLabel>("lblLocation");
    QLabel* lblUpgrade = Find("lblUpgrade");
    QLabel* lblNorth = Find("lblNorth");
    QLabel* lblSouth = Find("lblSouth");
    QPushButton* cmdLocation = Find<QPushButton>("cmdLocation");
    QPushButton* cmdSize = Find<QPushButton>("cmdSize");
    FaceBox* pbxFace = Find<FaceBox>("pbxFace");
    std::array<FittedLabel*, kBoardEventCount> lblLast{};
    std::array<FittedLabel*, kBoardEventCount> lblNext{};
};

} // namespace horvane::test_support
