#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "platform/TextSource.h"
#include "resources/ResourceData.h"
#include "resources/StringTable.h"

namespace norda {

// The texts, menus and dialogs of one language: the program's built-in module or a
// language library loaded at run time. A library stays loaded as long as its module
// lives; templates taken from it must not outlive the module.
class ResourceModule final : public TextSource {
  public:
    ~ResourceModule() override;
    ResourceModule(const ResourceModule&) = delete;
    ResourceModule& operator=(const ResourceModule&) = delete;

    static std::unique_ptr<ResourceModule> BuiltIn(const ResourceModuleData& data);

    // Results of Load.
    static constexpr int kLoaded = 0;
    static constexpr int kNotLoadable = -1;   // missing, unreadable or not a library
    static constexpr int kNoEntry = -2;       // a library without the resource entry point
    static constexpr int kWrongProgram = -3;  // made for another program or layout
    static constexpr int kNotAbsolute = -4;   // only absolute paths: no search path is used

    // Loads the library at `path` (absolute) and accepts it only if it was made for
    // `program`.
    static std::unique_ptr<ResourceModule> Load(const std::string& path, std::string_view program,
                                                int* result);

    std::string Text(int id) const override;
    const MenuTemplate* Menu(int id) const;
    const DialogTemplate* Dialog(int id) const;
    bool IsBuiltIn() const { return handle_ == nullptr; }
    const std::string& Path() const { return path_; }

  private:
    ResourceModule(const ResourceModuleData& data, void* handle, std::string path);

    const ResourceModuleData& data_;
    StringTable strings_;
    void* handle_;
    std::string path_;
};

// "OMBRA" stays "OMBRA"; shorter names are padded with "0" to four characters.
std::string LanguageBaseName(std::string_view programName);
// "%s%04X.DLL" (OMBRA) or "%s%02X.DLL" (SOLVI) of the base name and the country code.
std::string LanguageLibraryName(std::string_view baseName, int countryCode, int hexDigits);

// OMBRA's built-in Turkish module.
const ResourceModuleData& OmbraBuiltinResources();

}  // namespace norda
