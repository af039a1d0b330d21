#pragma once

// Numbers written by C libraries (libxlsxwriter prints them with snprintf) must
// carry a point whatever the desktop's decimal separator. The program's own
// number rules go through QLocale and are not touched by either of these.

// The whole process: LC_NUMERIC back to "C" after the application object has set
// the C library's locale from the desktop.
void UseCNumericLocale();

// While one lives, the calling thread formats numbers in the "C" locale; the
// thread's previous locale comes back when it goes.
class ScopedCNumericLocale {
public:
    ScopedCNumericLocale();
    ~ScopedCNumericLocale();
    ScopedCNumericLocale(const ScopedCNumericLocale &) = delete;
    ScopedCNumericLocale &operator=(const ScopedCNumericLocale &) = delete;

private:
    void *previous_ = nullptr; // the thread's locale (POSIX) or its previous setting (Windows)
    void *own_ = nullptr;
};
