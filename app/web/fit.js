// The program's window scaled down to fit, on whole device pixels.
//
// In a window narrower than the program's, the program's window shrinks as
// a whole (the negative margins give back the room it no longer takes).
// Its canvas' corner is moved onto a whole device pixel, so that at full
// size each canvas pixel covers whole device pixels at any pixel ratio.

export function fitToPage(programWindow, canvas) {
  function fit() {
    const style = programWindow.style;
    style.transform = style.marginRight = style.marginBottom = '';
    if (programWindow.hidden) return;
    const body = getComputedStyle(document.body);
    const room = document.documentElement.clientWidth - parseFloat(body.marginLeft) - parseFloat(body.marginRight);
    const width = programWindow.offsetWidth,
      height = programWindow.offsetHeight;
    const scale = Math.min(1, room / width);
    const w = programWindow.getBoundingClientRect(),
      c = canvas.getBoundingClientRect();
    const ratio = devicePixelRatio;
    const snap = (v) => Math.round(v * ratio) / ratio - v;
    const dx = snap(w.left + scrollX + scale * (c.left - w.left));
    const dy = snap(w.top + scrollY + scale * (c.top - w.top));
    style.transform = `translate(${dx}px, ${dy}px) scale(${scale})`;
    style.marginRight = `${(scale - 1) * width}px`;
    style.marginBottom = `${(scale - 1) * height}px`;
  }
  // A new pixel ratio (a zoom, another screen) is a media change of its own.
  function watchRatio() {
    matchMedia(`(resolution: ${devicePixelRatio}dppx)`).addEventListener(
      'change',
      () => {
        fit();
        watchRatio();
      },
      { once: true },
    );
  }
  addEventListener('resize', fit);
  watchRatio();
  fit();
  document.fonts.ready.then(fit);
}
