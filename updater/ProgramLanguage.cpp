// ProgramLanguage: the updater speaks the language the program's settings choose.
#include "ProgramLanguage.h"

#include "common/String.h"
#include "common/util/File.h"
#include "common/util/RegistryProperties.h"
#include "common/util/version/ProgramImage.h"
#include "languages/Language.h"

#include <cstdint>
#include <string>

namespace {

// The largest updater file read for its version resource.
const uint32_t kLargestUpdater = 64 * 1024 * 1024;

}  // namespace

void ChooseProgramLanguage(const std::wstring& updater) {
    std::string bytes;
    String code;
    if (util::File::ReadWholeFile(updater.c_str(), kLargestUpdater, bytes)) {
        util::version::ProgramImage image(bytes);
        String company = image.GetVersionValue(L"CompanyName"), product = image.GetVersionValue(L"ProductName");
        if (company.GetLength() > 0 && product.GetLength() > 0) {
            util::RegistryProperties(company.GetText(), product.GetText()).GetProperty(L"Language", code, nullptr);
        }
    }
    Language::Choose(Language::OfSetting(code.ToWide()));
}
