// The program's window fitted to the page.
//
// Where the program's window does not fit (a phone, upright or on its side,
// or a narrow window), the page takes the phone layout (the class `phone` on
// the root, which page.css lays out): the canvas as large as the screen
// allows, beside or under large menu titles and buttons. Otherwise the window
// stands at its own size; in a window a little narrower than the program's it
// shrinks as a whole (the negative margins give back the room it no longer
// takes). Its canvas' corner is moved onto a whole device pixel, so that at
// full size each canvas pixel covers whole device pixels at any pixel ratio.

// Narrower than the window with the page's margins, or too low for it on a touch screen.
const kPhone = '(max-width: 809px), (max-height: 560px) and (pointer: coarse)';

export function fitToPage(programWindow, canvas) {
  const phone = matchMedia(kPhone);
  function fit() {
    const style = programWindow.style;
    style.transform = style.marginRight = style.marginBottom = '';
    document.documentElement.classList.toggle('phone', phone.matches);
    if (programWindow.hidden || phone.matches) return;
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
  phone.addEventListener('change', fit);
  watchRatio();
  fit();
  document.fonts.ready.then(fit);
}
