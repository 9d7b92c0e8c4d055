#pragma once

// Makes sure the image resources are registered. The resources register themselves when the library
// is loaded; calling this from a user of the images keeps the library among its dependencies.
void initServoResources();
