// The main loop's clock: 64 passes a second, the Windows program's pace,
// whatever the display's refresh rate. Stepped (?step in the address), it
// runs passes only when asked for, so that a test can compare a given frame
// with the native program's.
//
// A pass is the program's: `run` starts it, and the program says when it is
// done (passDone), which may be later than `run` returns when the pass opens
// a box. While `held()` (a menu is open) no pass starts, as in a menu's
// modal loop on Windows.

const kPassMs = 1000 / 64;
const kCatchUp = 4; // passes at most in one animation frame, after a stall
// The time one animation frame may spend on passes: a catch-up pass starts
// only within it, so that slow passes never pile up into a frozen tab.
const kFrameBudgetMs = kPassMs;

export class PassClock {
  #run;
  #held;
  #stepping;

  // The passes so far, and the one under way.
  #passes = 0;
  #started = false;
  #ended = false;
  #inPass = false;
  #boxInPass = false; // the pass waited on a box: no measure of a frame
  #passStart = 0;
  // The last pass times in milliseconds (program plus the copy to the
  // canvas), in a ring made once.
  #times = new Float64Array(600);
  #timed = 0;

  // Running free: `due` is when the next pass is owed, null after a
  // stillness (a menu, a box, a hidden tab), which owes nothing.
  #due = null;
  #ready = false; // the program waits for its next pass
  #inFrame = false;

  // Stepped: the pass count asked for, and who waits for it.
  #target = 0;
  #stepDone = null;
  #channel = new MessageChannel();

  constructor({ run, held, stepping }) {
    this.#run = run;
    this.#held = held;
    this.#stepping = stepping;
    this.#channel.port1.onmessage = this.#stepPass;
    document.addEventListener('visibilitychange', () => {
      this.#due = null;
    });
  }

  get passes() {
    return this.#passes;
  }
  get started() {
    return this.#started;
  }
  get ended() {
    return this.#ended;
  }

  // The program's pass has finished: the next is scheduled.
  passDone() {
    this.#finishPass();
    this.#started = true;
    this.#schedule();
  }

  // The program has ended: no pass follows.
  end() {
    this.#finishPass();
    this.#ended = true;
    this.#settleStep();
  }

  // The pass under way waits on a box.
  boxOpened() {
    this.#boxInPass = true;
  }

  // Stepped: runs `n` passes; resolves to the pass count once they are done
  // (or the program has ended).
  step(n) {
    return new Promise((resolve) => {
      if (this.#ended) {
        resolve(this.#passes);
        return;
      }
      this.#target = this.#passes + n;
      this.#stepDone = resolve;
      if (this.#started && !this.#inPass) this.#schedule();
    });
  }

  passTimes() {
    const ring = this.#times;
    return Array.from(ring.subarray(0, Math.min(this.#timed, ring.length)));
  }

  #pass() {
    this.#inPass = true;
    this.#boxInPass = false;
    this.#passStart = performance.now();
    this.#run();
  }

  #finishPass() {
    if (!this.#inPass) return;
    this.#inPass = false;
    ++this.#passes;
    // A pass that waited on a box is not a measure of a frame, and the wait owes no passes.
    if (this.#boxInPass) this.#due = null;
    else this.#times[this.#timed++ % this.#times.length] = performance.now() - this.#passStart;
  }

  #schedule() {
    if (!this.#stepping) {
      this.#ready = true;
      if (!this.#inFrame) requestAnimationFrame(this.#frame);
    } else if (this.#passes < this.#target) {
      this.#channel.port2.postMessage(0);
    } else {
      this.#settleStep();
    }
  }

  // Each animation frame runs the passes the clock owes.
  #frame = (now) => {
    if (this.#held()) {
      this.#due = null;
      requestAnimationFrame(this.#frame);
      return;
    }
    if (this.#due === null) this.#due = now;
    this.#due = Math.max(this.#due, now - (kCatchUp - 1) * kPassMs);
    this.#inFrame = true;
    const start = performance.now();
    try {
      // A pass that opens a box returns before it is done: its passDone comes later.
      // The first pass always runs; another only if one more, as long as
      // these took on average, still fits in the budget.
      for (let n = 0; this.#ready && this.#due <= now; ++n) {
        const spent = performance.now() - start;
        if (n > 0 && spent + spent / n > kFrameBudgetMs) break;
        this.#ready = false;
        this.#due += kPassMs;
        this.#pass();
      }
    } finally {
      this.#inFrame = false;
    }
    if (this.#ready) requestAnimationFrame(this.#frame);
  };

  #stepPass = () => {
    if (this.#held()) {
      requestAnimationFrame(this.#stepPass);
      return;
    }
    this.#pass();
  };

  #settleStep() {
    if (!this.#stepDone) return;
    const done = this.#stepDone;
    this.#stepDone = null;
    done(this.#passes);
  }
}
