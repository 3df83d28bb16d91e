// What every start prepares below the application directory, stand-alone or
// inside a host program.
#pragma once

// Adds the plug-in folder to the library path, loads Setup.xml and installs
// the two translators of the language it selects.
void PrepareAppEnvironment();
