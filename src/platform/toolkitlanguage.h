#pragma once

// Qt's own texts (standard buttons, colour and file dialogs) in the interface language:
// Qt's German translation when sprache is 49, its built-in English otherwise. False when
// German was asked for and the translation is not installed (the texts then stay English).
bool ApplyToolkitLanguage(int sprache);
