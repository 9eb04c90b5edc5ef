#include "audio/vq4_library.h"

#include <cstring>
#include <dlfcn.h>
#include <elf.h>
#include <filesystem>
#include <link.h>
#include <unistd.h>

namespace quorl {

namespace {

constexpr const char* kLibraryName = "libVQ4.so";

struct NoteSearch {
    ElfW(Addr) base = 0;
    bool found = false;
    Vq4Version version;
};

std::uint16_t le16(const unsigned char* p) {
    return static_cast<std::uint16_t>(p[0] | p[1] << 8);
}

// Walks the notes of one PT_NOTE segment in memory.
void scanNotes(const unsigned char* p, std::size_t size, NoteSearch& s) {
    const std::size_t nameLen = sizeof(VQ4_VERSION_NOTE_NAME);
    std::size_t pos = 0;
    while (pos + 12 <= size) {
        ElfW(Nhdr) h;
        std::memcpy(&h, p + pos, sizeof h);
        const std::size_t nameSize = (h.n_namesz + 3u) & ~3u;
        const std::size_t descSize = (h.n_descsz + 3u) & ~3u;
        const std::size_t name = pos + 12;
        const std::size_t desc = name + nameSize;
        if (desc + descSize > size || desc < name)
            return;
        if (h.n_type == VQ4_VERSION_NOTE_TYPE && h.n_namesz == nameLen &&
            std::memcmp(p + name, VQ4_VERSION_NOTE_NAME, nameLen) == 0 &&
            h.n_descsz >= 2 * VQ4_VERSION_NOTE_PARTS) {
            for (std::size_t i = 0; i < 4; ++i) {
                s.version.file[i] = le16(p + desc + 2 * i);
                s.version.product[i] = le16(p + desc + 8 + 2 * i);
            }
            s.found = true;
            return;
        }
        pos = desc + descSize;
    }
}

int visitModule(struct dl_phdr_info* info, std::size_t, void* data) {
    auto* s = static_cast<NoteSearch*>(data);
    if (info->dlpi_addr != s->base)
        return 0;
    for (ElfW(Half) i = 0; i < info->dlpi_phnum && !s->found; ++i) {
        const ElfW(Phdr)& ph = info->dlpi_phdr[i];
        if (ph.p_type == PT_NOTE)
            scanNotes(reinterpret_cast<const unsigned char*>(info->dlpi_addr + ph.p_vaddr),
                      ph.p_memsz, *s);
    }
    return s->found ? 1 : 0;
}

template <typename Fn> bool bind(void* handle, const char* name, Fn& fn) {
    fn = reinterpret_cast<Fn>(::dlsym(handle, name));
    return fn != nullptr;
}

} // namespace

bool readVq4VersionNote(void* handle, Vq4Version& version) {
    struct link_map* map = nullptr;
    if (handle == nullptr || ::dlinfo(handle, RTLD_DI_LINKMAP, &map) != 0 || map == nullptr)
        return false;
    NoteSearch s;
    s.base = map->l_addr;
    ::dl_iterate_phdr(visitModule, &s);
    if (s.found)
        version = s.version;
    return s.found;
}

CXLoadLibrary::~CXLoadLibrary() {
    unload();
}

std::vector<std::string> CXLoadLibrary::candidatePaths() {
    std::error_code ec;
    const auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec)
        return {kLibraryName};
    const auto dir = exe.parent_path();
    // The programs' private library folder, <prefix>/lib/tessaly-vi-quorl, the
    // same in the build tree and in an installation.
    return {(dir / kLibraryName).string(),
            (dir / ".." / QUORL_PRIVATE_LIB_SUBDIR / kLibraryName).lexically_normal().string()};
}

bool CXLoadLibrary::load() {
    unload();
    for (const auto& candidate : candidatePaths()) {
        std::error_code ec;
        if (std::filesystem::exists(candidate, ec))
            return loadFrom(candidate);
    }
    // Last, the dynamic linker's own search (the program's run path, LD_LIBRARY_PATH).
    if (loadFrom(kLibraryName))
        return true;
    return fail(std::string(kLibraryName) + " not found next to the program: " + error_);
}

bool CXLoadLibrary::loadFrom(const std::string& path) {
    unload();
    handle_ = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle_ == nullptr) {
        const char* why = ::dlerror();
        return fail(why ? why : "dlopen failed");
    }
    if (!readVq4VersionNote(handle_, version_))
        return fail(path + ": no version note");
    const bool bound =
        bind(handle_, "VQ4Init", VQ4Init) && bind(handle_, "VQ4CompressVoice", VQ4CompressVoice) &&
        bind(handle_, "VQ4CreateDownloadFile", VQ4CreateDownloadFile) &&
        bind(handle_, "VQ4CreateDownloadFile2", VQ4CreateDownloadFile2) &&
        bind(handle_, "VQ4FreeAll", VQ4FreeAll) && bind(handle_, "DestroyVQ4", DestroyVQ4);
    if (!bound)
        return fail(path + ": missing entry point");
    bind(handle_, "VQ4DecodeStream", VQ4DecodeStream);
    bind(handle_, "CreateVQ4", CreateVQ4);
    bind(handle_, "GetCpuSpeedVQ4", GetCpuSpeedVQ4);
    path_ = path;
    error_.clear();
    return true;
}

void CXLoadLibrary::unload() {
    clearBindings();
    if (handle_ != nullptr)
        ::dlclose(handle_);
    handle_ = nullptr;
    path_.clear();
    version_ = {};
}

bool CXLoadLibrary::fail(const std::string& why) {
    unload();
    error_ = why;
    return false;
}

void CXLoadLibrary::clearBindings() {
    VQ4Init = nullptr;
    VQ4CompressVoice = nullptr;
    VQ4CreateDownloadFile = nullptr;
    VQ4CreateDownloadFile2 = nullptr;
    VQ4FreeAll = nullptr;
    DestroyVQ4 = nullptr;
    VQ4DecodeStream = nullptr;
    CreateVQ4 = nullptr;
    GetCpuSpeedVQ4 = nullptr;
}

} // namespace quorl
