#pragma once

#include <QString>

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "platform/widgets/PushButton.h"

// A control array of push buttons that share one click handler, which receives
// the index of the button clicked.
class ButtonArray {
  public:
    // Names the buttons baseName_0, baseName_1, ...
    ButtonArray(Window& parent, const QString& baseName, int count);

    PushButton& operator[](int index) { return *buttons_.at(static_cast<size_t>(index)); }
    const PushButton& operator[](int index) const {
        return *buttons_.at(static_cast<size_t>(index));
    }
    int count() const { return static_cast<int>(buttons_.size()); }

    void onClick(std::function<void(int16_t index)> handler);

  private:
    std::vector<std::unique_ptr<PushButton>> buttons_;
    std::shared_ptr<std::function<void(int16_t)>> handler_;
};
