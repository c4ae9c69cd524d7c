#include "platform/DesktopEntry.h"

#include <gio/gdesktopappinfo.h>
#include <gio/gio.h>

#include <memory>

namespace platform {

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

// GIO's application entries refuse Type=Link, so those are read as a plain key file. Empty
// when the file is no readable link entry or names no URL.
std::optional<DesktopEntry> readWebLink(const std::string& path) {
    const GKeyFilePtr file(g_key_file_new());
    if (!g_key_file_load_from_file(file.get(), path.c_str(), G_KEY_FILE_NONE, nullptr))
        return std::nullopt;
    const auto key = [&file](const char* name) {
        return textOf(
            GCharPtr(g_key_file_get_string(file.get(), G_KEY_FILE_DESKTOP_GROUP, name, nullptr))
                .get());
    };
    if (key(G_KEY_FILE_DESKTOP_KEY_TYPE) != G_KEY_FILE_DESKTOP_TYPE_LINK)
        return std::nullopt;
    DesktopEntry link;
    link.type = DesktopEntry::Type::Link;
    link.url = key(G_KEY_FILE_DESKTOP_KEY_URL);
    if (link.url.empty())
        return std::nullopt;
    // The description in the user's language where the entry has one, as for applications.
    const GCharPtr comment(g_key_file_get_locale_string(
        file.get(), G_KEY_FILE_DESKTOP_GROUP, G_KEY_FILE_DESKTOP_KEY_COMMENT, nullptr, nullptr));
    link.comment = textOf(comment.get());
    return link;
}

StartResult resultOf(gboolean started, GError* rawError) {
    const GErrorPtr error(rawError);
    if (started)
        return StartResult{true, {}};
    return StartResult{false, error ? textOf(error->message) : std::string()};
}

} // namespace

std::optional<DesktopEntry> readDesktopEntry(const std::string& path) {
    const DesktopAppInfoPtr entry(g_desktop_app_info_new_from_filename(path.c_str()));
    if (!entry)
        return readWebLink(path);
    GAppInfo* app = G_APP_INFO(entry.get());
    DesktopEntry result;
    result.executable = textOf(g_app_info_get_executable(app));
    result.arguments = argumentsOf(stringKey(entry.get(), G_KEY_FILE_DESKTOP_KEY_EXEC));
    result.comment = textOf(g_app_info_get_description(app));
    result.workingDirectory = stringKey(entry.get(), G_KEY_FILE_DESKTOP_KEY_PATH);
    result.icon = stringKey(entry.get(), G_KEY_FILE_DESKTOP_KEY_ICON);
    return result;
}

StartResult launchDesktopEntry(const std::string& path) {
    const DesktopAppInfoPtr entry(g_desktop_app_info_new_from_filename(path.c_str()));
    if (!entry)
        return StartResult{false, "no application entry"};
    GError* error = nullptr;
    const gboolean launched = g_app_info_launch(G_APP_INFO(entry.get()), nullptr, nullptr, &error);
    return resultOf(launched, error);
}

StartResult openUri(const std::string& uri) {
    GError* error = nullptr;
    const gboolean opened = g_app_info_launch_default_for_uri(uri.c_str(), nullptr, &error);
    return resultOf(opened, error);
}

} // namespace platform
