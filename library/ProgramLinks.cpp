#include "library/ProgramLinks.h"

#include "app/Log.h"

#include <gio/gdesktopappinfo.h>
#include <gio/gio.h>

#include <memory>
#include <optional>

namespace {

struct GObjectUnref {
    void operator()(gpointer object) const {
        if (object != nullptr)
            g_object_unref(object);
    }
};
using DesktopAppInfoPtr = std::unique_ptr<GDesktopAppInfo, GObjectUnref>;

struct GFree {
    void operator()(gpointer memory) const { g_free(memory); }
};
using GCharPtr = std::unique_ptr<gchar, GFree>;

struct GStrvFree {
    void operator()(gchar** strings) const { g_strfreev(strings); }
};
using GStrvPtr = std::unique_ptr<gchar*, GStrvFree>;

struct GKeyFileFree {
    void operator()(GKeyFile* file) const { g_key_file_free(file); }
};
using GKeyFilePtr = std::unique_ptr<GKeyFile, GKeyFileFree>;

struct GErrorFree {
    void operator()(GError* error) const { g_error_free(error); }
};
using GErrorPtr = std::unique_ptr<GError, GErrorFree>;

std::string textOf(const gchar* text) {
    return text != nullptr ? std::string(text) : std::string();
}

// A key of the entry's main group as written (not localised); empty when it is missing.
std::string stringKey(GDesktopAppInfo* entry, const char* key) {
    return textOf(GCharPtr(g_desktop_app_info_get_string(entry, key)).get());
}

// The Exec line's arguments after the program, joined by blanks; empty when it cannot be
// split like a command line.
std::string argumentsOf(const std::string& execLine) {
    gint argc = 0;
    gchar** raw = nullptr;
    if (!g_shell_parse_argv(execLine.c_str(), &argc, &raw, nullptr))
        return {};
    const GStrvPtr argv(raw);
    std::string arguments;
    for (gint i = 1; i < argc; ++i) {
        if (!arguments.empty())
            arguments += ' ';
        arguments += argv.get()[i];
    }
    return arguments;
}

// A web link entry (Type=Link): what it points to and its description.
struct WebLink {
    std::string url;
    std::string comment;
};

// GIO's application entries refuse Type=Link, so those are read as a plain key file. Empty
// when the file is no readable link entry or names no URL.
std::optional<WebLink> readWebLink(const std::string& linkPath) {
    const GKeyFilePtr file(g_key_file_new());
    if (!g_key_file_load_from_file(file.get(), linkPath.c_str(), G_KEY_FILE_NONE, nullptr))
        return std::nullopt;
    const auto key = [&file](const char* name) {
        return textOf(
            GCharPtr(g_key_file_get_string(file.get(), G_KEY_FILE_DESKTOP_GROUP, name, nullptr))
                .get());
    };
    if (key(G_KEY_FILE_DESKTOP_KEY_TYPE) != G_KEY_FILE_DESKTOP_TYPE_LINK)
        return std::nullopt;
    // The description in the user's language where the entry has one, as for applications.
    const GCharPtr comment(g_key_file_get_locale_string(
        file.get(), G_KEY_FILE_DESKTOP_GROUP, G_KEY_FILE_DESKTOP_KEY_COMMENT, nullptr, nullptr));
    WebLink link{key(G_KEY_FILE_DESKTOP_KEY_URL), textOf(comment.get())};
    if (link.url.empty())
        return std::nullopt;
    return link;
}

void logStartFailure(const std::string& linkPath, const GErrorPtr& error) {
    LogError("Program link \"" + linkPath +
             "\" could not be started: " + (error ? textOf(error->message) : std::string()));
}

} // namespace

bool ReadShellLink(const std::string& linkPath, ShellLinkInfo& info) {
    info = ShellLinkInfo{};
    const DesktopAppInfoPtr entry(g_desktop_app_info_new_from_filename(linkPath.c_str()));
    if (!entry) {
        const std::optional<WebLink> link = readWebLink(linkPath);
        if (!link)
            return false;
        info.Path = link->url;
        info.Description = link->comment;
        return true;
    }
    GAppInfo* app = G_APP_INFO(entry.get());
    info.Path = textOf(g_app_info_get_executable(app));
    info.Arguments = argumentsOf(stringKey(entry.get(), G_KEY_FILE_DESKTOP_KEY_EXEC));
    info.Description = textOf(g_app_info_get_description(app));
    info.WorkingDirectory = stringKey(entry.get(), G_KEY_FILE_DESKTOP_KEY_PATH);
    info.IconLocation = stringKey(entry.get(), G_KEY_FILE_DESKTOP_KEY_ICON);
    return true;
}

void StartProgram(const std::string& linkPath) {
    LogLine("Starting program \"" + linkPath + "\"...");
    // The entry itself is launched, so its own working folder and settings apply; the
    // program runs on its own and is never waited for.
    const DesktopAppInfoPtr entry(g_desktop_app_info_new_from_filename(linkPath.c_str()));
    if (!entry) {
        // A web link opens in whatever the desktop uses for its address.
        if (const std::optional<WebLink> link = readWebLink(linkPath)) {
            GError* rawError = nullptr;
            const gboolean opened =
                g_app_info_launch_default_for_uri(link->url.c_str(), nullptr, &rawError);
            const GErrorPtr error(rawError);
            if (!opened)
                logStartFailure(linkPath, error);
            return;
        }
        LogError("Program link \"" + linkPath + "\" cannot be read");
        return;
    }
    GError* rawError = nullptr;
    const gboolean launched =
        g_app_info_launch(G_APP_INFO(entry.get()), nullptr, nullptr, &rawError);
    const GErrorPtr error(rawError);
    if (!launched)
        logStartFailure(linkPath, error);
}
