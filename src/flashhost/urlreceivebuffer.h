#pragma once

// The receive buffer libcurl is given for URL streams: eight times its
// default, so that a fast download costs fewer socket reads (costly under
// Wine). The benchmark's libcurl reference uses the same size.
const long kUrlReceiveBufferBytes = 128 * 1024;
