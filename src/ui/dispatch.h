#pragma once
// Every event handler runs through Dispatch: an exception that escapes a handler goes to the
// application's exception event (the error log), never to the user and never through a
// window procedure.
#include <functional>
#include <stdexcept>
#include <string>

namespace ui {

class Component;

// Leaves a handler quietly: Dispatch swallows it without reporting it.
struct Abort {};

// sender is the component whose handler raised the error, or null for the application itself.
using ExceptionHandler = std::function<void(const Component* sender, const std::string& message)>;

void SetExceptionHandler(ExceptionHandler handler);

// Hands an error to the exception event without ending the handler that found it.
void ReportError(const Component* sender, const std::string& message);

// Runs handler(); returns false when it ended with an error (already reported).
bool Dispatch(const Component* sender, const std::function<void()>& handler);

}  // namespace ui
