#pragma once

#include <functional>
#include <memory>

class Window;

// Sees every press of a key or a mouse button that the player makes in a
// window, before any widget of it acts on the press (which still goes on).
class InputWatch {
  public:
    // `key` is the key's Qt::Key code, or kMousePress for a mouse button.
    static constexpr int kMousePress = -1;
    InputWatch(const Window& window, std::function<void(int key)> handler);
    ~InputWatch();
    InputWatch(const InputWatch&) = delete;
    InputWatch& operator=(const InputWatch&) = delete;

  private:
    class Filter;
    std::unique_ptr<Filter> filter_;
};
