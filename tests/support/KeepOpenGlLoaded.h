#pragma once

#include "platform/GlWindow.h"

#include <dlfcn.h>
#include <link.h>

namespace testsupport {

// Mesa's software OpenGL (its LLVM in particular) keeps some memory for as long as it is
// loaded. SDL unloads it again when a test's window or session ends, and LeakSanitizer then
// cannot tell which library the memory came from, nor can tests/lsan.supp name it. So the first
// test that draws with OpenGL opens a window once and keeps every library loaded at that moment
// for the rest of the process. Needs a started SDL session.
inline void keepOpenGlLibrariesLoaded() {
    static bool kept = false;
    if (kept)
        return;
    const platform::GlOpenResult opened = platform::GlWindow::open("OpenGL");
    if (!opened.window)
        return;
    dl_iterate_phdr(
        [](dl_phdr_info* info, std::size_t, void*) {
            if (info->dlpi_name && *info->dlpi_name)
                dlopen(info->dlpi_name, RTLD_LAZY | RTLD_NOLOAD | RTLD_NODELETE);
            return 0;
        },
        nullptr);
    kept = true;
}

} // namespace testsupport
