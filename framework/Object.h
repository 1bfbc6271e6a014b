#pragma once
// The root of the framework's components, and the event type the window description binds.

#include <functional>

class TObject {
public:
  TObject() = default;
  TObject(const TObject&) = delete;
  TObject& operator=(const TObject&) = delete;
  virtual ~TObject() = default;
};

// An event handler; `sender` is the component that raised the event.
using TNotifyEvent = std::function<void(TObject* sender)>;
