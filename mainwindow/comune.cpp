#include "mainwindow/comune.h"

#include "framework/registry.h"
#include "storage/core/file_ops.h"

#include <windows.h>

#include <objbase.h>
#include <shlobj.h>

#include <algorithm>
#include <stdexcept>
#include <utility>

namespace zandrel {

namespace {

// Owns one interface reference.
template <class Interface> class ComPtr {
public:
    ComPtr() = default;
    ComPtr(const ComPtr&) = delete;
    ComPtr& operator=(const ComPtr&) = delete;
    ~ComPtr() {
        if (p_)
            p_->Release();
    }
    Interface* operator->() const { return p_; }
    void** receive() { return reinterpret_cast<void**>(&p_); }

private:
    Interface* p_ = nullptr;
};

std::string HresultText(HRESULT hr) {
    char text[16];
    wsprintfA(text, "0x%08lX", static_cast<unsigned long>(hr));
    return text;
}

// The shell-link object and its file side.
struct ShellLink {
    ComPtr<IShellLinkW> Link;
    ComPtr<IPersistFile> File;

    ShellLink() {
        HRESULT hr = CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER,
                                      IID_IShellLinkW, Link.receive());
        if (FAILED(hr))
            throw std::runtime_error("Cannot create the shell link object (" + HresultText(hr) +
                                     ")");
        hr = Link->QueryInterface(IID_IPersistFile, File.receive());
        if (FAILED(hr))
            throw std::runtime_error("The shell link object has no file interface (" +
                                     HresultText(hr) + ")");
    }
};

bool FileExists(const std::string& fileName) {
    return file_ops::Exists(fileName);
}

class RealStartupShortcutSystem : public StartupShortcutSystem {
public:
    explicit RealStartupShortcutSystem(Environment& env) : env_(env) {}
    std::string StartupFolder() override {
        return ReadRegistryPath(HKEY_CURRENT_USER, std::string(ShellFoldersKeyPath),
                                std::string(StartupFolderValue));
    }
    bool FileExists(const std::string& fileName) override { return zandrel::FileExists(fileName); }
    std::string ResolveShortcut(const std::string& linkPath) override {
        return zandrel::ResolveShortcut(linkPath);
    }
    void CreateShortcut(const std::string& targetPath, const std::string& linkPath) override {
        zandrel::CreateShortcut(targetPath, linkPath);
    }
    void ShowWarning(const std::string& text) override { env_.ShowWarning(text); }

private:
    Environment& env_;
};

} // namespace

ComApartment::ComApartment() {
    const HRESULT hr = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    if (FAILED(hr))
        throw std::runtime_error("Cannot initialise COM (" + HresultText(hr) + ")");
}

ComApartment::~ComApartment() {
    CoUninitialize();
}

void CreateShortcut(const std::string& TargetPath, const std::string& LinkPath) {
    ShellLink link;
    // SetPath takes the whole string: no intermediate buffer to overflow.
    link.Link->SetPath(file_ops::Wide(TargetPath).c_str());
    link.File->Save(file_ops::SystemPath(LinkFileName(LinkPath)).c_str(), TRUE);
}

std::string ResolveShortcut(const std::string& LinkPath) {
    ShellLink link;
    if (FAILED(link.File->Load(file_ops::SystemPath(LinkFileName(LinkPath)).c_str(), STGM_READ)))
        return {};
    std::wstring path(32768, L'\0');
    WIN32_FIND_DATAW found{};
    if (link.Link->GetPath(path.data(), int(path.size()), &found, 0) != S_OK)
        return {};
    path.resize(path.find(L'\0'));
    return file_ops::FromWide(path);
}

void UpdateStartupShortcut(SettingsStore& settings, Environment& env, const std::string& exePath) {
    RealStartupShortcutSystem system(env);
    UpdateStartupShortcut(settings, system, exePath);
}

} // namespace zandrel
