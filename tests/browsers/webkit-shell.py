#!/usr/bin/python3
"""A WebKitGTK browser for WebKitWebDriver that keeps its website data (its
HTTP cache, storage and service workers) in the folder given as --data=FOLDER.

MiniBrowser browses in an ephemeral session whenever it is driven, and an
ephemeral session keeps no HTTP cache, which Safari has: with this browser a
test sees what WebKit takes from its cache.  Driven as MiniBrowser is: the
driver starts it with --automation and the address of its inspector server in
the environment, and asks it for a view for each window it opens.
"""
import sys

import gi

gi.require_version('Gtk', '3.0')
gi.require_version('WebKit2', '4.1')
from gi.repository import Gtk, WebKit2  # noqa: E402

Name = 'tobarin-webkit-shell'

folder = next((arg.split('=', 1)[1] for arg in sys.argv[1:] if arg.startswith('--data=')), None)
if not folder:
    sys.exit('usage: webkit-shell.py --automation --data=FOLDER')
data = WebKit2.WebsiteDataManager(base_data_directory=f'{folder}/data',
                                  base_cache_directory=f'{folder}/cache')
context = WebKit2.WebContext(website_data_manager=data)
context.set_automation_allowed(True)


def new_view():
    view = WebKit2.WebView(web_context=context, is_controlled_by_automation=True)
    # A script the driver runs acts without a user's gesture: let it open a
    # window, as the other drivers do.
    view.get_settings().set_javascript_can_open_windows_automatically(True)
    window = Gtk.Window()
    window.set_default_size(1024, 768)
    window.add(view)
    view.connect('close', lambda _: window.destroy())
    window.show_all()
    return view


# The window open at the start is the session's first, as MiniBrowser's is.
first = [new_view()]


def started(_, session):
    info = WebKit2.ApplicationInfo()
    info.set_name(Name)
    info.set_version(WebKit2.get_major_version(), WebKit2.get_minor_version(),
                     WebKit2.get_micro_version())
    session.set_application_info(info)
    session.connect('create-web-view', lambda _: first.pop() if first else new_view())


context.connect('automation-started', started)
Gtk.main()
