#pragma once

class QString;

// Moves a file the terminal could not use to "<name>.damaged-<time>" beside it, so that nothing the user had is
// overwritten; the new name, or empty when it could not be moved.
QString keepAside(const QString& fileName);
