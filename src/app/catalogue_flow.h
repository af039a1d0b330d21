#pragma once

#include "core/catalogue/price_list_file.h"

#include <QObject>
#include <QString>

#include <functional>
#include <memory>
#include <optional>

struct AppState;
struct WindowList;
class CatalogueWindow;
class PriceListCheckWindow;
class QWidget;

// The catalogue's road through the windows: the main window's menu "Прайс-лист", the
// price list loaded and checked in its window before anything changes, put in force
// (the state's catalogue, the copy kept in the settings folder) or left; the built-in
// list taken back; the kept list applied at start-up; the catalogue window and its
// saved rows.
class CatalogueFlow : public QObject {
    Q_OBJECT
public:
    CatalogueFlow(AppState &state, WindowList &windows);
    ~CatalogueFlow() override;

    // The windows, made the first time they are needed.
    CatalogueWindow &window();
    PriceListCheckWindow &checkWindow();
    void ShowCatalogue();

    // Reads and checks `path` and shows what it would do; a file refused as a whole
    // gives its Error and nothing else. True when the check window shows it.
    bool LoadFile(const QString &path);
    // The list last shown by the check window put in force, and kept; false (nothing
    // changed) when a row was refused or the kept copy could not be written.
    bool Apply();
    // "Встроенный прайс-лист": the built-in prices back, the kept copy removed.
    void UseBuiltIn();
    // At start-up: the kept list in force again; a damaged one is put aside with a
    // Warning and the built-in list stays.
    void LoadKept();
    // The catalogue window's shown rows to `path`: xlsx by its extension, else CSV.
    bool SaveShown(const QString &path);

    // The settings file beside which the list in force is kept.
    void setSettingsPath(const QString &path) { settingsPath_ = path; }
    QString keptPath() const;

    // The file dialogs, replaceable in tests ("" for none).
    std::function<QString()> askPriceListPath;
    std::function<QString()> askSavePath;

signals:
    // The catalogue's prices are those of another list now.
    void priceListChanged();

private:
    void refreshCatalogue();
    void loadAsked();
    QWidget *dialogParent() const;

    AppState &state_;
    WindowList &w_;
    std::unique_ptr<CatalogueWindow> window_;
    std::unique_ptr<PriceListCheckWindow> checkWindow_;
    std::optional<PriceListFile> pending_; // what the check window shows
    QString settingsPath_;
};
