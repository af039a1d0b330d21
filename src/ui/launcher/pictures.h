#pragma once

#include <QPixmap>

// The program's own pictures, drawn in code: the maker's logo and one picture per
// product category (mode 1..5).
QPixmap MakerLogo(const QSize &size);
QPixmap CategoryPicture(int mode, const QSize &size);

// The maker's contact data (fictional, reserved example domains).
namespace Maker {
QString WebAddress();   // shown on the main window and opened in the browser
QString MailAddress();  // shown after "E-mail: " and opened as mailto:
QString CompanyName();  // with its closing full stop
} // namespace Maker
