// Pixel tests of the canvas and renderer.
