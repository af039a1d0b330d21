#pragma once

#include "app/window_list.h"

#include <memory>

struct AppState;
class CatalogueFlow;
class ProjectFlow;
class SelectionFlow;
class QWidget;

// Every window of the program, created once in start-up order and kept until the
// set is destroyed, and the selection flow that connects them.
class WindowSet : public WindowList {
public:
    explicit WindowSet(AppState &state);
    ~WindowSet();
    WindowSet(const WindowSet &) = delete;
    WindowSet &operator=(const WindowSet &) = delete;

    QWidget *mainWindow() const;
    SelectionFlow &flow() const { return *flow_; }
    ProjectFlow &project() const { return *project_; }
    CatalogueFlow &catalogue() const { return *catalogue_; }
    // The program's start: the main window shown centred on the screen, and
    // closing it quits the application's event loop.
    void ShowMainWindow();

private:
    std::unique_ptr<SelectionFlow> flow_;
    std::unique_ptr<ProjectFlow> project_;
    std::unique_ptr<CatalogueFlow> catalogue_;
};
