#pragma once

// What a form keeps of its plug-in instance; the form casts it to the
// window implementation for painting.
class FlashView {
};
