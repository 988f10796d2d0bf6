"""Hash with Tessik in the context menu of GNOME's file manager, for one local file. Loaded by
the file manager's Python extension support; the program is started through its desktop entry,
so the menu item starts it as the application menu does."""
from gi.repository import GLib, GObject, Gio, Nautilus

DESKTOP_ID = "org.example.tessik.desktop"
LABELS = {
    "de": "Mit Tessik hashen",
    "es": "Calcular hash con Tessik",
    "fr": "Hacher avec Tessik",
}
LABEL = "Hash with Tessik"


def label():
    for language in GLib.get_language_names():
        if language in LABELS:
            return LABELS[language]
    return LABEL


class TessikHashMenu(GObject.GObject, Nautilus.MenuProvider):
    def get_file_items(self, *arguments):
        # Version 4 of the extension interface passes the files alone, earlier ones the window
        # first.
        files = arguments[-1]
        if len(files) != 1:
            return []
        chosen = files[0]
        if chosen.get_uri_scheme() != "file" or chosen.is_directory():
            return []
        try:
            program = Gio.DesktopAppInfo.new(DESKTOP_ID)
        except TypeError:  # no such desktop entry, as while the package is being removed
            return []
        item = Nautilus.MenuItem(
            name="TessikHashMenu::Hash", label=label(), icon="org.example.tessik")
        item.connect("activate", lambda _item: program.launch([chosen.get_location()], None))
        return [item]
