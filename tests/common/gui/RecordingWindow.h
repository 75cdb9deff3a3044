// RecordingWindow: a window of the tests that records what reaches its handlers.
#pragma once

#include "common/gui/Window.h"

#include <vector>

// A registered, plain window that remembers every message it got and every handler
// called. destructions counts deletions across all instances.
class RecordingWindow : public gui::Window {
public:
    explicit RecordingWindow(const wchar_t* className = L"RecordingWindow") : Window(className) {
        SetRegisterClass(true);
    }
    ~RecordingWindow() override { ++destructions; }

    LRESULT MessageHandler(HWND handle, UINT message, WPARAM wParam, LPARAM lParam) override {
        messages.push_back(message);
        return Window::MessageHandler(handle, message, wParam, lParam);
    }
    void OnDestroy() override { ++onDestroyCalls; }
    int OnCommandMessage(WPARAM wParam, LPARAM) override {
        commands.push_back(wParam);
        return 0;
    }
    int OnUserMessage(UINT message, WPARAM, LPARAM) override {
        userMessages.push_back(message);
        return 1;
    }
    void PreRegisterClass(WNDCLASSEXW&) override { ++preRegisterCalls; }

    std::vector<UINT> messages;
    std::vector<WPARAM> commands;
    std::vector<UINT> userMessages;
    int onDestroyCalls = 0;
    int preRegisterCalls = 0;
    static int destructions;
};
