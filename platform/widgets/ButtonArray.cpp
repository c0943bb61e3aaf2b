#include "platform/widgets/ButtonArray.h"

ButtonArray::ButtonArray(Window& parent, const QString& baseName, int count)
    : handler_(std::make_shared<std::function<void(int16_t)>>()) {
    for (int i = 0; i < count; ++i) {
        buttons_.push_back(
            std::make_unique<PushButton>(parent, baseName + QLatin1Char('_') + QString::number(i)));
        auto handler = handler_;
        const auto index = static_cast<int16_t>(i);
        buttons_.back()->onClick([handler, index] {
            if (*handler) (*handler)(index);
        });
    }
}

void ButtonArray::onClick(std::function<void(int16_t index)> handler) {
    *handler_ = std::move(handler);
}
