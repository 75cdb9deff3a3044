// ProgramLanguage: the updater speaks the language the program's settings choose.
#pragma once

#include <string>

// Chooses (Language::Choose) the language that the program's "Language" setting names,
// or the user's display language when it names none or one the catalogues lack. The
// setting is read under the program's own key, HKCU\Software\<CompanyName>\<ProductName>,
// as the updater's version resource names them: it is released with the program, under
// the same names. updater: the updater's own file.
void ChooseProgramLanguage(const std::wstring& updater);
