#pragma once

#include "Errors.h"
#include "Prompts.h"

#include <exception>
#include <utility>

class QWidget;

// Runs an event handler so that no exception unwinds through Qt: the program's own errors
// show their message in the error box, anything else a generic one. The program goes on.
template <typename Handler>
void Guarded(Prompts& prompts, QWidget* parent, Handler&& handler) noexcept
{
    try {
        std::forward<Handler>(handler)();
    } catch (const PlatformError& e) {
        prompts.ErrorBox(parent, e.message());
    } catch (const std::exception& e) {
        prompts.ErrorBox(parent, QString::fromLocal8Bit(e.what()));
    } catch (...) {
        prompts.ErrorBox(parent, QString());
    }
}

// A slot for connect(): runs a window's handler through Guarded.
template <typename Window>
auto GuardedSlot(Prompts& prompts, Window* window, void (Window::*handler)())
{
    return [&prompts, window, handler] { Guarded(prompts, window, [window, handler] { (window->*handler)(); }); };
}
