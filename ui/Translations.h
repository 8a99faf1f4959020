#pragma once

class QCoreApplication;

namespace kandorex {

// Loads the toolkit's own translations (context menus, the report's buttons) for the user's
// language, from where the toolkit keeps them. Missing translations leave the texts in English.
void installToolkitTranslations(QCoreApplication &application);

} // namespace kandorex
