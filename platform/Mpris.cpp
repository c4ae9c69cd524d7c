#include "platform/Mpris.h"

#include <gio/gio.h>

#include <algorithm>
#include <array>
#include <mutex>
#include <string_view>
#include <thread>
#include <utility>

namespace platform {

namespace {

constexpr const char* kBusName = "org.mpris.MediaPlayer2.zuvenmedia";
constexpr const char* kObjectPath = "/org/mpris/MediaPlayer2";
constexpr const char* kRootInterface = "org.mpris.MediaPlayer2";
constexpr const char* kPlayerInterface = "org.mpris.MediaPlayer2.Player";
constexpr const char* kNoTrack = "/org/mpris/MediaPlayer2/TrackList/NoTrack";

constexpr const char* kIntrospection = R"(<node>
  <interface name="org.mpris.MediaPlayer2">
    <method name="Raise"/>
    <method name="Quit"/>
    <property name="CanQuit" type="b" access="read"/>
    <property name="CanRaise" type="b" access="read"/>
    <property name="HasTrackList" type="b" access="read"/>
    <property name="Identity" type="s" access="read"/>
    <property name="DesktopEntry" type="s" access="read"/>
    <property name="SupportedUriSchemes" type="as" access="read"/>
    <property name="SupportedMimeTypes" type="as" access="read"/>
  </interface>
  <interface name="org.mpris.MediaPlayer2.Player">
    <method name="Next"/>
    <method name="Previous"/>
    <method name="Pause"/>
    <method name="PlayPause"/>
    <method name="Stop"/>
    <method name="Play"/>
    <method name="Seek"><arg name="Offset" type="x" direction="in"/></method>
    <method name="SetPosition">
      <arg name="TrackId" type="o" direction="in"/>
      <arg name="Position" type="x" direction="in"/>
    </method>
    <method name="OpenUri"><arg name="Uri" type="s" direction="in"/></method>
    <signal name="Seeked"><arg name="Position" type="x"/></signal>
    <property name="PlaybackStatus" type="s" access="read"/>
    <property name="Rate" type="d" access="readwrite"/>
    <property name="Metadata" type="a{sv}" access="read"/>
    <property name="Volume" type="d" access="readwrite"/>
    <property name="Position" type="x" access="read"/>
    <property name="MinimumRate" type="d" access="read"/>
    <property name="MaximumRate" type="d" access="read"/>
    <property name="CanGoNext" type="b" access="read"/>
    <property name="CanGoPrevious" type="b" access="read"/>
    <property name="CanPlay" type="b" access="read"/>
    <property name="CanPause" type="b" access="read"/>
    <property name="CanSeek" type="b" access="read"/>
    <property name="CanControl" type="b" access="read"/>
  </interface>
</node>)";

template <auto Free> struct GFree {
    template <typename T> void operator()(T* pointer) const { Free(pointer); }
};

using ContextPtr = std::unique_ptr<GMainContext, GFree<g_main_context_unref>>;
using GLoopPtr = std::unique_ptr<GMainLoop, GFree<g_main_loop_unref>>;
using CancellablePtr = std::unique_ptr<GCancellable, GFree<g_object_unref>>;
using ConnectionPtr = std::unique_ptr<GDBusConnection, GFree<g_object_unref>>;
using NodeInfoPtr = std::unique_ptr<GDBusNodeInfo, GFree<g_dbus_node_info_unref>>;
using ErrorPtr = std::unique_ptr<GError, GFree<g_error_free>>;
using CharsPtr = std::unique_ptr<gchar, GFree<g_free>>;

// GVariant strings must be UTF-8; a tag that is not is repaired rather than dropped.
GVariant* stringVariant(const std::string& text) {
    if (g_utf8_validate(text.data(), static_cast<gssize>(text.size()), nullptr))
        return g_variant_new_string(text.c_str());
    CharsPtr valid(g_utf8_make_valid(text.data(), static_cast<gssize>(text.size())));
    return g_variant_new_string(valid.get());
}

GVariant* stringArray(std::initializer_list<const char*> texts) {
    GVariantBuilder builder;
    g_variant_builder_init(&builder, G_VARIANT_TYPE("as"));
    for (const char* text : texts)
        g_variant_builder_add(&builder, "s", text);
    return g_variant_builder_end(&builder);
}

GVariant* metadataVariant(const MprisState& state) {
    GVariantBuilder builder;
    g_variant_builder_init(&builder, G_VARIANT_TYPE("a{sv}"));
    const bool valid = !state.trackId.empty() && g_variant_is_object_path(state.trackId.c_str());
    g_variant_builder_add(&builder, "{sv}", "mpris:trackid",
                          g_variant_new_object_path(valid ? state.trackId.c_str() : kNoTrack));
    if (!valid)
        return g_variant_builder_end(&builder);
    if (state.lengthUs > 0)
        g_variant_builder_add(&builder, "{sv}", "mpris:length",
                              g_variant_new_int64(state.lengthUs));
    if (!state.artUrl.empty())
        g_variant_builder_add(&builder, "{sv}", "mpris:artUrl", stringVariant(state.artUrl));
    if (!state.url.empty())
        g_variant_builder_add(&builder, "{sv}", "xesam:url", stringVariant(state.url));
    if (!state.title.empty())
        g_variant_builder_add(&builder, "{sv}", "xesam:title", stringVariant(state.title));
    if (!state.artist.empty()) {
        GVariant* artist = stringVariant(state.artist);
        g_variant_builder_add(&builder, "{sv}", "xesam:artist",
                              g_variant_new_array(G_VARIANT_TYPE_STRING, &artist, 1));
    }
    if (!state.album.empty())
        g_variant_builder_add(&builder, "{sv}", "xesam:album", stringVariant(state.album));
    if (state.trackNumber > 0)
        g_variant_builder_add(&builder, "{sv}", "xesam:trackNumber",
                              g_variant_new_int32(state.trackNumber));
    return g_variant_builder_end(&builder);
}

bool sameMetadata(const MprisState& a, const MprisState& b) {
    return a.trackId == b.trackId && a.title == b.title && a.artist == b.artist &&
           a.album == b.album && a.trackNumber == b.trackNumber && a.lengthUs == b.lengthUs &&
           a.url == b.url && a.artUrl == b.artUrl;
}

bool sameSignalledState(const MprisState& a, const MprisState& b) {
    return sameMetadata(a, b) && a.playbackStatus == b.playbackStatus &&
           a.canGoNext == b.canGoNext && a.canGoPrevious == b.canGoPrevious &&
           a.canPlay == b.canPlay && a.canPause == b.canPause && a.canSeek == b.canSeek;
}

// A boolean property of the player and where it lies in the state.
struct FlagProperty {
    const char* name;
    bool MprisState::*flag;
};

constexpr std::array<FlagProperty, 5> kFlagProperties = {{
    {"CanGoNext", &MprisState::canGoNext},
    {"CanGoPrevious", &MprisState::canGoPrevious},
    {"CanPlay", &MprisState::canPlay},
    {"CanPause", &MprisState::canPause},
    {"CanSeek", &MprisState::canSeek},
}};

struct MethodRow {
    const char* name;
    MprisCommand::Kind kind;
};

constexpr std::array<MethodRow, 11> kMethods = {{
    {"Raise", MprisCommand::Kind::Raise},
    {"Quit", MprisCommand::Kind::Quit},
    {"PlayPause", MprisCommand::Kind::PlayPause},
    {"Play", MprisCommand::Kind::Play},
    {"Pause", MprisCommand::Kind::Pause},
    {"Stop", MprisCommand::Kind::Stop},
    {"Next", MprisCommand::Kind::Next},
    {"Previous", MprisCommand::Kind::Previous},
    {"Seek", MprisCommand::Kind::Seek},
    {"SetPosition", MprisCommand::Kind::SetPosition},
    {"OpenUri", MprisCommand::Kind::OpenUri},
}};

} // namespace

std::string fileUri(const std::string& path) {
    if (path.empty() || path.front() != '/')
        return {};
    CharsPtr uri(g_filename_to_uri(path.c_str(), nullptr, nullptr));
    return uri ? std::string(uri.get()) : std::string();
}

std::optional<std::string> pathOfFileUri(const std::string& uri) {
    gchar* host = nullptr;
    CharsPtr path(g_filename_from_uri(uri.c_str(), &host, nullptr));
    const CharsPtr hostName(host);
    if (!path)
        return std::nullopt;
    if (hostName && std::string_view(hostName.get()) != "localhost")
        return std::nullopt;
    return std::string(path.get());
}

struct MprisService::Impl {
    MainLoop& loop;
    // Shared with the work posted to the main loop, which may outlive the service.
    std::shared_ptr<const std::function<void(const MprisCommand&)>> onCommand;
    std::shared_ptr<const std::function<void(const std::string&)>> log;

    std::mutex mutex;         // guards the three below
    MprisState published;     // the main thread's last state
    gint64 publishedAtUs = 0; // g_get_monotonic_time() of that state
    std::vector<std::int64_t> pendingSeeks;

    // Created by the constructor, used by both threads through GLib's thread-safe calls.
    ContextPtr context{g_main_context_new()};
    GLoopPtr mainLoop{g_main_loop_new(context.get(), FALSE)};
    CancellablePtr cancellable{g_cancellable_new()};

    // The service thread only.
    NodeInfoPtr nodeInfo;
    ConnectionPtr connection;
    MprisState signalled;
    bool announcedFailure = false;

    std::thread thread;

    Impl(MainLoop& mainThreadLoop, std::function<void(const MprisCommand&)> commandHandler,
         std::function<void(const std::string&)> logHandler)
        : loop(mainThreadLoop),
          onCommand(std::make_shared<const std::function<void(const MprisCommand&)>>(
              std::move(commandHandler))),
          log(std::make_shared<const std::function<void(const std::string&)>>(
              std::move(logHandler))) {}

    void tellMainThread(const std::string& line) {
        loop.post([log = log, line] {
            if (*log)
                (*log)(line);
        });
    }

    // Only the first failure is worth a line: the program goes on without the interface.
    void fail(const std::string& line) {
        if (announcedFailure)
            return;
        announcedFailure = true;
        tellMainThread(line);
    }

    MprisState current() {
        std::lock_guard lock(mutex);
        MprisState state = published;
        if (state.playbackStatus == "Playing") {
            state.positionUs += g_get_monotonic_time() - publishedAtUs;
            if (state.lengthUs > 0)
                state.positionUs = std::min(state.positionUs, state.lengthUs);
        }
        return state;
    }

    void run();
    void emitChanges();
    // From the main thread: emitChanges runs on the service's thread.
    void scheduleEmitChanges() {
        g_main_context_invoke(
            context.get(),
            [](gpointer userData) -> gboolean {
                static_cast<Impl*>(userData)->emitChanges();
                return G_SOURCE_REMOVE;
            },
            this);
    }
    GVariant* property(std::string_view interface, std::string_view name);
};

namespace {

void onMethodCall(GDBusConnection*, const gchar*, const gchar*, const gchar*,
                  const gchar* methodName, GVariant* parameters, GDBusMethodInvocation* invocation,
                  gpointer userData) {
    auto& impl = *static_cast<MprisService::Impl*>(userData);
    const std::string_view name(methodName);
    const auto row = std::find_if(kMethods.begin(), kMethods.end(),
                                  [&](const MethodRow& method) { return name == method.name; });
    if (row == kMethods.end()) {
        g_dbus_method_invocation_return_error(invocation, G_DBUS_ERROR, G_DBUS_ERROR_UNKNOWN_METHOD,
                                              "Unknown method %s", methodName);
        return;
    }
    MprisCommand command;
    command.kind = row->kind;
    if (command.kind == MprisCommand::Kind::Seek) {
        gint64 offset = 0;
        g_variant_get(parameters, "(x)", &offset);
        command.microseconds = offset;
    } else if (command.kind == MprisCommand::Kind::SetPosition) {
        const gchar* trackId = nullptr;
        gint64 position = 0;
        g_variant_get(parameters, "(&ox)", &trackId, &position);
        command.argument = trackId;
        command.microseconds = position;
    } else if (command.kind == MprisCommand::Kind::OpenUri) {
        const gchar* uri = nullptr;
        g_variant_get(parameters, "(&s)", &uri);
        const std::optional<std::string> path = pathOfFileUri(uri);
        if (!path) {
            g_dbus_method_invocation_return_error(invocation, G_DBUS_ERROR,
                                                  G_DBUS_ERROR_NOT_SUPPORTED,
                                                  "Only local file:// URIs can be opened");
            return;
        }
        command.argument = *path;
    }
    g_dbus_method_invocation_return_value(invocation, nullptr);
    impl.loop.post([handler = impl.onCommand, command] {
        if (*handler)
            (*handler)(command);
    });
}

GVariant* onGetProperty(GDBusConnection*, const gchar*, const gchar*, const gchar* interfaceName,
                        const gchar* propertyName, GError** error, gpointer userData) {
    auto& impl = *static_cast<MprisService::Impl*>(userData);
    GVariant* value = impl.property(interfaceName, propertyName);
    if (!value)
        g_set_error(error, G_DBUS_ERROR, G_DBUS_ERROR_UNKNOWN_PROPERTY, "Unknown property %s",
                    propertyName);
    return value;
}

// Rate and Volume are fixed: the program plays at one speed and fades by itself. A client that
// sets them is not refused; the values simply stay.
gboolean onSetProperty(GDBusConnection*, const gchar*, const gchar*, const gchar*, const gchar*,
                       GVariant*, GError**, gpointer) {
    return TRUE;
}

const GDBusInterfaceVTable kVTable = {onMethodCall, onGetProperty, onSetProperty, {}};

} // namespace

GVariant* MprisService::Impl::property(std::string_view interface, std::string_view name) {
    if (interface == kRootInterface) {
        if (name == "CanQuit" || name == "CanRaise")
            return g_variant_new_boolean(TRUE);
        if (name == "HasTrackList")
            return g_variant_new_boolean(FALSE);
        if (name == "Identity")
            return g_variant_new_string("Zuvenmedia");
        if (name == "DesktopEntry")
            return g_variant_new_string("zuvenmedia");
        if (name == "SupportedUriSchemes")
            return stringArray({"file"});
        if (name == "SupportedMimeTypes")
            return stringArray({"audio/mpeg", "audio/mp3"});
        return nullptr;
    }
    if (name == "Rate" || name == "MinimumRate" || name == "MaximumRate" || name == "Volume")
        return g_variant_new_double(1.0);
    if (name == "CanControl")
        return g_variant_new_boolean(TRUE);
    const MprisState state = current();
    if (name == "PlaybackStatus")
        return g_variant_new_string(state.playbackStatus.c_str());
    if (name == "Metadata")
        return metadataVariant(state);
    if (name == "Position")
        return g_variant_new_int64(state.positionUs);
    for (const FlagProperty& flag : kFlagProperties) {
        if (name == flag.name)
            return g_variant_new_boolean(state.*flag.flag);
    }
    return nullptr;
}

void MprisService::Impl::emitChanges() {
    if (!connection)
        return;
    MprisState state;
    std::vector<std::int64_t> seeks;
    {
        std::lock_guard lock(mutex);
        state = published;
        seeks.swap(pendingSeeks);
    }
    GVariantBuilder changed;
    g_variant_builder_init(&changed, G_VARIANT_TYPE("a{sv}"));
    bool any = false;
    if (state.playbackStatus != signalled.playbackStatus) {
        g_variant_builder_add(&changed, "{sv}", "PlaybackStatus",
                              g_variant_new_string(state.playbackStatus.c_str()));
        any = true;
    }
    if (!sameMetadata(state, signalled)) {
        g_variant_builder_add(&changed, "{sv}", "Metadata", metadataVariant(state));
        any = true;
    }
    for (const FlagProperty& flag : kFlagProperties) {
        if (state.*flag.flag != signalled.*flag.flag) {
            g_variant_builder_add(&changed, "{sv}", flag.name,
                                  g_variant_new_boolean(state.*flag.flag));
            any = true;
        }
    }
    GVariant* properties = g_variant_builder_end(&changed);
    if (any) {
        g_dbus_connection_emit_signal(
            connection.get(), nullptr, kObjectPath, "org.freedesktop.DBus.Properties",
            "PropertiesChanged",
            g_variant_new("(s@a{sv}@as)", kPlayerInterface, properties, stringArray({})), nullptr);
    } else {
        g_variant_unref(g_variant_ref_sink(properties));
    }
    signalled = state;
    for (const std::int64_t position : seeks)
        g_dbus_connection_emit_signal(connection.get(), nullptr, kObjectPath, kPlayerInterface,
                                      "Seeked", g_variant_new("(x)", position), nullptr);
}

void MprisService::Impl::run() {
    g_main_context_push_thread_default(context.get());
    GError* rawError = nullptr;
    CharsPtr address(
        g_dbus_address_get_for_bus_sync(G_BUS_TYPE_SESSION, cancellable.get(), &rawError));
    if (address) {
        connection.reset(g_dbus_connection_new_for_address_sync(
            address.get(),
            static_cast<GDBusConnectionFlags>(G_DBUS_CONNECTION_FLAGS_AUTHENTICATION_CLIENT |
                                              G_DBUS_CONNECTION_FLAGS_MESSAGE_BUS_CONNECTION),
            nullptr, cancellable.get(), &rawError));
    }
    ErrorPtr error(rawError);
    std::vector<guint> registrations;
    guint ownerId = 0;
    if (!connection) {
        fail(std::string("MPRIS: no session bus: ") + (error ? error->message : "unknown reason"));
    } else {
        nodeInfo.reset(g_dbus_node_info_new_for_xml(kIntrospection, nullptr));
        for (GDBusInterfaceInfo** info = nodeInfo->interfaces; *info; ++info) {
            const guint id = g_dbus_connection_register_object(connection.get(), kObjectPath, *info,
                                                               &kVTable, this, nullptr, nullptr);
            if (id != 0)
                registrations.push_back(id);
        }
        ownerId = g_bus_own_name_on_connection(
            connection.get(), kBusName, G_BUS_NAME_OWNER_FLAGS_DO_NOT_QUEUE,
            [](GDBusConnection*, const gchar* name, gpointer userData) {
                static_cast<Impl*>(userData)->tellMainThread(std::string("MPRIS: offered as ") +
                                                             name);
            },
            [](GDBusConnection*, const gchar* name, gpointer userData) {
                static_cast<Impl*>(userData)->fail(std::string("MPRIS: the name ") + name +
                                                   " could not be owned");
            },
            this, nullptr);
        emitChanges();
        if (!g_cancellable_is_cancelled(cancellable.get()))
            g_main_loop_run(mainLoop.get());
        g_bus_unown_name(ownerId);
        for (const guint id : registrations)
            g_dbus_connection_unregister_object(connection.get(), id);
        g_dbus_connection_close_sync(connection.get(), nullptr, nullptr);
        connection.reset();
    }
    g_main_context_pop_thread_default(context.get());
}

MprisService::MprisService(MainLoop& loop, std::function<void(const MprisCommand&)> onCommand,
                           std::function<void(const std::string&)> log)
    : m_impl(std::make_unique<Impl>(loop, std::move(onCommand), std::move(log))) {
    {
        std::lock_guard lock(m_impl->mutex);
        m_impl->publishedAtUs = g_get_monotonic_time();
    }
    m_impl->thread = std::thread([impl = m_impl.get()] { impl->run(); });
}

MprisService::~MprisService() {
    g_cancellable_cancel(m_impl->cancellable.get());
    // The loop may not run yet: the quit waits in the context for it.
    g_main_context_invoke(
        m_impl->context.get(),
        [](gpointer userData) -> gboolean {
            g_main_loop_quit(static_cast<GMainLoop*>(userData));
            return G_SOURCE_REMOVE;
        },
        m_impl->mainLoop.get());
    if (m_impl->thread.joinable())
        m_impl->thread.join();
}

void MprisService::publish(const MprisState& state) {
    bool changed = false;
    {
        std::lock_guard lock(m_impl->mutex);
        changed = !sameSignalledState(state, m_impl->published);
        m_impl->published = state;
        m_impl->publishedAtUs = g_get_monotonic_time();
    }
    if (changed)
        m_impl->scheduleEmitChanges();
}

void MprisService::announceSeek(std::int64_t positionUs) {
    {
        std::lock_guard lock(m_impl->mutex);
        m_impl->pendingSeeks.push_back(positionUs);
    }
    m_impl->scheduleEmitChanges();
}

} // namespace platform
