#include "resources/ResourceModule.h"

#include <dlfcn.h>

#include <cstdio>

namespace norda {

namespace {
#define NORDA_STRINGIFY2(x) #x
#define NORDA_STRINGIFY(x) NORDA_STRINGIFY2(x)
constexpr const char* kEntryName = NORDA_STRINGIFY(NORDA_RESOURCE_ENTRY);
}  // namespace

ResourceModule::ResourceModule(const ResourceModuleData& data, void* handle, std::string path)
    : data_(data), strings_(data.strings), handle_(handle), path_(std::move(path)) {}

ResourceModule::~ResourceModule() {
    if (handle_ != nullptr)
        dlclose(handle_);
}

std::unique_ptr<ResourceModule> ResourceModule::BuiltIn(const ResourceModuleData& data) {
    return std::unique_ptr<ResourceModule>(new ResourceModule(data, nullptr, {}));
}

std::unique_ptr<ResourceModule> ResourceModule::Load(const std::string& path,
                                                     std::string_view program, int* result) {
    auto fail = [result](int code) {
        if (result != nullptr)
            *result = code;
        return std::unique_ptr<ResourceModule>();
    };
    // A bare or relative name would make dlopen search the library path or the
    // working directory; a language library is taken from one known place only.
    if (path.empty() || path.front() != '/')
        return fail(kNotAbsolute);
    void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr)
        return fail(kNotLoadable);
    auto entry = reinterpret_cast<ResourceEntryFn>(dlsym(handle, kEntryName));
    if (entry == nullptr) {
        dlclose(handle);
        return fail(kNoEntry);
    }
    const ResourceModuleData* data = entry();
    if (data == nullptr || data->abiVersion != kResourceAbiVersion || data->program != program) {
        dlclose(handle);
        return fail(kWrongProgram);
    }
    if (result != nullptr)
        *result = kLoaded;
    return std::unique_ptr<ResourceModule>(new ResourceModule(*data, handle, path));
}

std::string ResourceModule::Text(int id) const {
    return strings_.Text(id);
}

const MenuTemplate* ResourceModule::Menu(int id) const {
    for (const auto& m : data_.menus)
        if (m.id == id)
            return &m;
    return nullptr;
}

const DialogTemplate* ResourceModule::Dialog(int id) const {
    for (const auto& d : data_.dialogs)
        if (d.id == id)
            return &d;
    return nullptr;
}

std::string LanguageBaseName(std::string_view programName) {
    std::string name(programName);
    while (name.size() < 4)
        name += '0';
    return name;
}

std::string LanguageLibraryName(std::string_view baseName, int countryCode, int hexDigits) {
    char code[16];
    std::snprintf(code, sizeof code, "%0*X", hexDigits, static_cast<unsigned>(countryCode));
    return std::string(baseName) + code + ".DLL";
}

}  // namespace norda
