#pragma once
// The station's look: the style Qt chose for it, with the pictures of the windows' title-bar
// buttons made once.
//
// A work window is always maximized, so its close button is shown in the main window's menu bar,
// and Qt paints it there with a picture it asks the style for at every paint. Qt's styles make a
// new icon for each such request, and a new icon is a new entry in the pixmap cache: every window
// switch repaints the menu bar, so the cache filled up with copies of one close button, and once
// it was full it went on keeping the key of every copy it let go. One icon per picture, made at
// the first request, is one entry in the cache for as long as the station runs.
namespace Stile {

// Makes the station's style the application's style, over the style in use; later calls leave
// it as it is.
void Installa();

}  // namespace Stile
