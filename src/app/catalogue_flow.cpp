#include "app/catalogue_flow.h"

#include "app/window_list.h"
#include "core/catalogue/catalogue_rows.h"
#include "core/catalogue/kept_price_list.h"
#include "core/catalogue/price_list_check.h"
#include "core/catalogue/price_list_texts.h"
#include "core/input/number_text.h"
#include "core/io/output_file.h"
#include "core/state/app_state.h"
#include "report/xlsx_figures.h"
#include "ui/catalogue/catalogue_window.h"
#include "ui/catalogue/price_list_check_window.h"
#include "ui/launcher/main_window.h"
#include "ui/settings/program_settings.h"
#include "ui/wizard/messages.h"
#include "ui/wizard/navigation.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace {

QString Shown(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

void Raise(QWidget *window, QWidget *over)
{
    if (!window->isVisible())
        ShowCentred(window, over);
    window->raise();
    window->activateWindow();
}

} // namespace

CatalogueFlow::CatalogueFlow(AppState &state, WindowList &windows)
    : state_(state), w_(windows), settingsPath_(DefaultSettingsPath())
{
    setObjectName(u"CatalogueFlow"_s);
    askPriceListPath = [this] {
        return QFileDialog::getOpenFileName(dialogParent(), u"Загрузить прайс-лист"_s, QString(),
                                            u"Прайс-лист (*.csv *.txt);;Все файлы (*)"_s);
    };
    askSavePath = [this] {
        const QString csv = u"Таблица CSV (*.csv)"_s;
        QString chosen = csv;
        QString path = QFileDialog::getSaveFileName(dialogParent(), u"Сохранить каталог"_s, u"Каталог.csv"_s,
                                                    csv + u";;Книга Excel (*.xlsx)"_s, &chosen);
        // A name typed without its extension takes the one of the chosen type.
        if (!path.isEmpty() && QFileInfo(path).suffix().isEmpty())
            path += chosen == csv ? u".csv"_s : u".xlsx"_s;
        return path;
    };
    TForm1 *main = w_.Form1.get();
    connect(main->PriceListLoadAction, &QAction::triggered, this, &CatalogueFlow::loadAsked);
    connect(main->PriceListBuiltInAction, &QAction::triggered, this, &CatalogueFlow::UseBuiltIn);
    connect(main->CatalogueAction, &QAction::triggered, this, &CatalogueFlow::ShowCatalogue);
}

CatalogueFlow::~CatalogueFlow() = default;

QString CatalogueFlow::keptPath() const
{
    return KeptPriceListPath(settingsPath_);
}

QWidget *CatalogueFlow::dialogParent() const
{
    if (checkWindow_ && checkWindow_->isVisible())
        return checkWindow_.get();
    if (window_ && window_->isVisible())
        return window_.get();
    return w_.Form1.get();
}

CatalogueWindow &CatalogueFlow::window()
{
    if (!window_) {
        window_ = std::make_unique<CatalogueWindow>();
        connect(window_.get(), &CatalogueWindow::saveRequested, this, [this] {
            if (const QString path = askSavePath(); !path.isEmpty())
                SaveShown(path);
        });
        refreshCatalogue();
    }
    return *window_;
}

PriceListCheckWindow &CatalogueFlow::checkWindow()
{
    if (!checkWindow_) {
        checkWindow_ = std::make_unique<PriceListCheckWindow>();
        connect(checkWindow_.get(), &PriceListCheckWindow::applyRequested, this, &CatalogueFlow::Apply);
    }
    return *checkWindow_;
}

void CatalogueFlow::ShowCatalogue()
{
    Raise(&window(), w_.Form1.get());
}

void CatalogueFlow::refreshCatalogue()
{
    if (window_)
        window_->showCatalogue(CatalogueRows(state_.Catalogue, LocaleDecimalSeparator()),
                               PriceListTitle(state_.Catalogue.priceList()));
}

void CatalogueFlow::loadAsked()
{
    if (const QString path = askPriceListPath(); !path.isEmpty())
        LoadFile(path);
}

bool CatalogueFlow::LoadFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        ShowError(dialogParent(), u"Не удалось открыть прайс-лист «%1»: %2."_s.arg(Shown(path), file.errorString()));
        return false;
    }
    const QFileInfo info(path);
    PriceListFile list = ReadPriceList(file.readAll(), info.completeBaseName(), info.lastModified().date());
    if (!list.ok()) {
        ShowError(dialogParent(), u"Прайс-лист «%1» не загружен: %2."_s.arg(Shown(path), list.error));
        return false;
    }
    list.info.source = info.absoluteFilePath();
    const PriceListCheck check = CheckPriceList(list, state_.Catalogue);
    pending_ = std::move(list);
    PriceListCheckWindow &shown = checkWindow();
    shown.showCheck(PriceListCheckTexts(path, *pending_, check, state_.Catalogue, LocaleDecimalSeparator()));
    Raise(&shown, w_.Form1.get());
    return true;
}

bool CatalogueFlow::Apply()
{
    if (!pending_)
        return false;
    // Checked again against the catalogue as it is now; the copy is kept first, so
    // that the list stands whole in the program and in its file, or not at all.
    const PriceListCheck check = CheckPriceList(*pending_, state_.Catalogue);
    ProductCatalogue priced = state_.Catalogue;
    if (!ApplyPriceList(check, priced))
        return false;
    QString why;
    if (!WriteKeptPriceList(keptPath(), priced, &why)) {
        ShowError(dialogParent(), u"Прайс-лист не применён: не удалось сохранить его копию «%1»: %2."_s.arg(
                                      Shown(keptPath()), why));
        return false;
    }
    state_.Catalogue = priced;
    pending_.reset();
    checkWindow_->close();
    refreshCatalogue();
    emit priceListChanged();
    return true;
}

void CatalogueFlow::UseBuiltIn()
{
    if (QFile::exists(keptPath()) && !QFile::remove(keptPath())) {
        ShowError(dialogParent(), u"Не удалось удалить сохранённый прайс-лист «%1»; действуют прежние цены."_s.arg(
                                      Shown(keptPath())));
        return;
    }
    const bool changed = !state_.Catalogue.priceList().isBuiltIn();
    state_.Catalogue.Fill();
    refreshCatalogue();
    if (changed)
        emit priceListChanged();
}

void CatalogueFlow::LoadKept()
{
    const KeptPriceListReading reading = ReadKeptPriceList(keptPath(), state_.Catalogue);
    if (!reading.found)
        return;
    if (reading.error.isEmpty() && ApplyPriceList(reading.check, state_.Catalogue)) {
        refreshCatalogue();
        emit priceListChanged();
        return;
    }
    // Put aside, so that the next start begins from the built-in list without a word.
    const QString aside = keptPath() + u".damaged"_s;
    QFile::remove(aside);
    const bool moved = QFile::rename(keptPath(), aside);
    ShowWarning(w_.Form1.get(), u"Сохранённый прайс-лист «%1» не загружен: %2. Действуют цены встроенного "
                                u"прайс-листа.%3"_s.arg(Shown(keptPath()), reading.error,
                                                       moved ? u" Файл сохранён как «%1»."_s.arg(Shown(aside))
                                                             : QString()));
}

bool CatalogueFlow::SaveShown(const QString &path)
{
    const QList<QStringList> rows = window().shownRows();
    QString why;
    bool written = false;
    if (QFileInfo(path).suffix().compare(u"xlsx"_s, Qt::CaseInsensitive) == 0) {
        const auto isNumber = [](int column) { return CatalogueColumnIsNumber(static_cast<CatalogueColumn>(column)); };
        written = WriteXlsxTable(path, FiguresSheet(u"Каталог"_s, CatalogueCaptions(), rows, isNumber,
                                                    LocaleDecimalSeparator()),
                                 &why);
    } else {
        written = WriteWholeFile(path, CatalogueRowsCsv(rows), &why);
    }
    if (!written)
        ShowError(dialogParent(), u"Не удалось сохранить каталог «%1»: %2."_s.arg(Shown(path), why));
    return written;
}
