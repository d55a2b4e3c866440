// The page side of the web build: canvas, keys, pointer, sound and the
// frame clock that resumes the demo (src/platform/HOST_web.cpp calls into
// the qornWeb object below). Loaded before qorn7316.js.
//
// URL parameters:
//   clock=virtual   deterministic: the virtual clock of the native headless
//                   run, so frame N is the frame `--headless` writes as N
//   fast            no 50 fps pacing: run as fast as the machine allows
//   frames=N        end after the N-th frame, as --frames N
//   scene=NAME      run one scene over and over, as --scene
//   mute            no sound, as --mute
//   trace           scene starts in the console, as --trace
//   simd=scalar     the drawing kernels' plain forms instead of SIMD, as
//                   QORN_SIMD=scalar
//   capture=N,M...  keep the canvas pixels of these frames (for tests)
'use strict';

var qornWeb = (function () {
  const params = new URLSearchParams(window.location.search);
  const SLOT = 20;               // ms of real time per resumed slot: 50 a second
  const MAX_BACKLOG = 3 * SLOT;  // a page that fell behind does not race to catch up
  const RATE = 44100;
  const FADE = 256 / RATE;       // the player's cross-fade, in seconds

  const canvas = document.getElementById('screen');
  const stage = document.getElementById('stage');
  const statusLine = document.getElementById('status');
  const captureFrames = new Set((params.get('capture') || '').split(',').filter(Boolean).map(Number));
  const context = canvas.getContext('2d', { alpha: false, willReadFrequently: captureFrames.size > 0 });

  const web = {
    virtualClock: params.get('clock') === 'virtual',
    fast: params.has('fast'),
    pointer: { x: -32, y: -32, buttons: 0 },   // at rest outside the frame, as in the headless run
    frames: 0,
    captures: {},
    exitStatus: null,
    error: null,
    hold: null,      // tests: no resuming once this many frames are shown
  };

  // Program arguments from the page's parameters.
  const args = [];
  if (params.has('frames')) args.push('--frames', params.get('frames'));
  if (params.has('scene')) args.push('--scene', params.get('scene'));
  if (params.has('mute')) args.push('--mute');
  if (params.has('trace')) args.push('--trace');

  function setStatus(text) {
    if (statusLine) statusLine.textContent = text;
  }

  // Frames.
  let image = null;
  web.show = function (bytes, w, h) {
    if (canvas.width !== w || canvas.height !== h) {
      canvas.width = w;
      canvas.height = h;
      image = null;
      layout();
    }
    if (image === null) image = context.createImageData(w, h);
    image.data.set(bytes);
    context.putImageData(image, 0, 0);
    web.frames += 1;
    stats.presents.push(performance.now());
    if (captureFrames.has(web.frames)) {
      web.captures[web.frames] = context.getImageData(0, 0, w, h).data.slice();
    }
    return web.hold !== null && web.frames >= web.hold;
  };

  // The frame clock. The demo runs until it yields (web.suspend); each
  // animation frame adds the real time gone by to the accumulator and
  // resumes the demo once per full slot in it.
  let resume = null;
  let accumulator = 0;
  let lastTime = null;
  const stats = { presents: [], work: [], animationFrames: [] };

  web.suspend = function (wakeUp) {
    resume = wakeUp;
  };
  // Tests step a deterministic run: with hold = N the demo stops right after
  // showing frame N, so input given then reaches frame N + 1, as a native
  // --keys or --pointer entry for frame N + 1 does.
  web.held = function () {
    return web.hold !== null && web.frames >= web.hold;
  };

  function runSlot() {
    const wakeUp = resume;
    resume = null;
    const t0 = performance.now();
    try {
      wakeUp();
    } catch (e) {
      if (e && e.name === 'ExitStatus') {
        finish(e.status);
      } else {
        web.error = String(e);
        setStatus('Stopped by an error: ' + e);
        throw e;
      }
    } finally {
      stats.work.push(performance.now() - t0);
      if (stats.work.length > 1000) stats.work.splice(0, stats.work.length - 1000);
      if (stats.presents.length > 1000) stats.presents.splice(0, stats.presents.length - 1000);
    }
  }

  function tick(time) {
    if (web.exitStatus !== null || web.error !== null) return;
    window.requestAnimationFrame(tick);
    if (lastTime === null) lastTime = time;
    stats.animationFrames.push(time);
    if (stats.animationFrames.length > 1000) stats.animationFrames.splice(0, stats.animationFrames.length - 1000);
    accumulator = Math.min(accumulator + (time - lastTime), MAX_BACKLOG);
    lastTime = time;
    const started = performance.now();
    while (resume !== null && web.exitStatus === null && !web.held()) {
      if (!web.fast) {
        if (accumulator < SLOT) break;
        accumulator -= SLOT;
      }
      runSlot();
      if (performance.now() - started > (web.fast ? 12 : SLOT)) break;
    }
  }

  function finish(status) {
    if (web.exitStatus !== null) return;
    web.exitStatus = status;
    stopSound();
    setStatus(status === 0 ? 'The demo has ended. Reload the page to run it again.'
                           : 'The demo stopped (status ' + status + ').');
  }

  web.ended = function () {
    stopSound();
  };

  // Keys: the characters of the native back end. Letters and digits by the
  // key (any layout), digits of the keypad too, + - < > by the text the key
  // makes.
  const keys = [];
  function keyOf(e) {
    if (e.ctrlKey || e.metaKey || e.altKey) return 0;
    if (e.key && e.key.length === 1) {
      const c = e.key.toUpperCase();
      if (c >= 'A' && c <= 'Z') return c.charCodeAt(0);
      if ('+-<>'.includes(c)) return c.charCodeAt(0);
    }
    const code = e.code || '';
    let m = /^Key([A-Z])$/.exec(code) || /^(?:Digit|Numpad)([0-9])$/.exec(code);
    if (m) return m[1].charCodeAt(0);
    if (e.key === ' ' || code === 'Space') return 32;
    if (e.key === 'Escape' || e.key === 'Esc') return 27;
    return 0;
  }
  web.takeKey = function () {
    return keys.length > 0 ? keys.shift() : 0;
  };
  window.addEventListener('keydown', function (e) {
    startSound();
    const key = keyOf(e);
    if (key === 0) return;
    e.preventDefault();
    if (keys.length < 64) keys.push(key);
  });

  // Pointer: frame pixels from the canvas's place and scale on the page.
  function track(e) {
    const r = canvas.getBoundingClientRect();
    if (r.width > 0 && r.height > 0) {
      web.pointer.x = Math.floor((e.clientX - r.left) * canvas.width / r.width);
      web.pointer.y = Math.floor((e.clientY - r.top) * canvas.height / r.height);
    }
    web.pointer.buttons = e.buttons & 7;
  }
  window.addEventListener('pointermove', track);
  window.addEventListener('pointerdown', function (e) {
    startSound();
    track(e);
  });
  window.addEventListener('pointerup', track);
  window.addEventListener('blur', function () { web.pointer.buttons = 0; });
  canvas.addEventListener('contextmenu', function (e) { e.preventDefault(); });
  web.showCursor = function (shown) {
    canvas.style.cursor = shown ? '' : 'none';
  };

  // Sound: the current loop in an AudioBufferSourceNode; a new one fades in
  // while the old one fades out. Browsers allow sound only after the first
  // click or key, so until then the latest loop is only kept.
  let audio = null;
  let current = null;      // { values, start, loop }
  let playing = null;      // { source, gain }
  function fadeOutPlaying(at) {
    if (playing === null) return;
    playing.gain.gain.setValueAtTime(playing.gain.gain.value, at);
    playing.gain.gain.linearRampToValueAtTime(0, at + FADE);
    playing.source.stop(at + FADE + 0.01);
    playing = null;
  }
  function play(sound) {
    if (audio === null || audio.state === 'closed') return;
    const at = audio.currentTime;
    fadeOutPlaying(at);
    if (sound === null || sound.values.length === 0) return;
    const buffer = audio.createBuffer(1, sound.values.length, RATE);
    buffer.copyToChannel(sound.values, 0);
    const source = audio.createBufferSource();
    source.buffer = buffer;
    source.loop = sound.loop;
    const gain = audio.createGain();
    gain.gain.setValueAtTime(0, at);
    gain.gain.linearRampToValueAtTime(1, at + FADE);
    source.connect(gain);
    gain.connect(audio.destination);
    source.start(at, sound.start / RATE);
    playing = { source: source, gain: gain };
  }
  function startSound() {
    if (audio !== null || web.exitStatus !== null || params.has('mute')) return;
    const Context = window.AudioContext || window.webkitAudioContext;
    if (!Context) return;
    audio = new Context();
    audio.resume();
    play(current);
  }
  function stopSound() {
    current = null;
    if (audio !== null && audio.state !== 'closed') {
      fadeOutPlaying(audio.currentTime);
    }
  }
  web.sound = function (values, start, loop) {
    current = { values: values, start: start, loop: loop };
    play(current);
  };
  web.soundStop = function () {
    current = null;
    if (audio !== null) fadeOutPlaying(audio.currentTime);
  };
  web.audioState = function () {
    let power = 0;
    if (current !== null) {
      for (let i = 0; i < current.values.length; ++i) power += current.values[i] * current.values[i];
      power /= Math.max(1, current.values.length);
    }
    return { context: audio === null ? 'none' : audio.state, playing: playing !== null,
             loop: current !== null && current.loop, rms: Math.sqrt(power) };
  };

  // Integer scaling to the page, and fullscreen.
  function layout() {
    const full = document.fullscreenElement === stage;
    const bar = document.getElementById('bar');
    const help = document.getElementById('help');
    const reserved = full ? 0 : (bar ? bar.offsetHeight + 16 : 0) + (help ? help.offsetHeight : 0);
    const w = full ? window.screen.width : window.innerWidth;
    const h = (full ? window.screen.height : window.innerHeight) - reserved;
    const scale = Math.max(1, Math.floor(Math.min(w / canvas.width, h / canvas.height)));
    canvas.style.width = canvas.width * scale + 'px';
    canvas.style.height = canvas.height * scale + 'px';
    if (full) {
      stage.style.width = '100%';
      stage.style.height = '100%';
    } else {
      stage.style.width = '';
      stage.style.height = '';
    }
  }
  window.addEventListener('resize', layout);
  document.addEventListener('fullscreenchange', layout);
  const fullscreenButton = document.getElementById('fullscreen');
  if (fullscreenButton) {
    fullscreenButton.addEventListener('click', function () {
      if (document.fullscreenElement) document.exitFullscreen();
      else if (stage.requestFullscreen) stage.requestFullscreen().catch(function () {});
      canvas.focus();
    });
  }

  // Measurements for the page's tests: frames a second over the last two
  // seconds, and the work done per resumed slot.
  web.stats = function () {
    const now = performance.now();
    const recent = stats.presents.filter(function (t) { return now - t <= 2000; });
    const span = recent.length > 1 ? recent[recent.length - 1] - recent[0] : 0;
    const work = stats.work.slice(-100);
    const mean = work.length ? work.reduce(function (a, b) { return a + b; }, 0) / work.length : 0;
    // Animation frames that came late (the browser itself stalled), and
    // the time they lost, over the same two seconds.
    const frames = stats.animationFrames.filter(function (t) { return now - t <= 2000; });
    let stalls = 0;
    let stalledMs = 0;
    for (let i = 1; i < frames.length; ++i) {
      const gap = frames[i] - frames[i - 1];
      if (gap > 2 * SLOT) { stalls += 1; stalledMs += gap - SLOT; }
    }
    return { frames: web.frames, fps: span > 0 ? (recent.length - 1) * 1000 / span : 0,
             workMeanMs: mean, workMaxMs: work.length ? Math.max.apply(null, work) : 0,
             browserStalls: stalls, browserStalledMs: stalledMs };
  };

  window.Module = {
    arguments: args,
    preRun: [function () {
      if (params.has('simd')) window.Module.ENV.QORN_SIMD = params.get('simd');
    }],
    print: function (text) { console.log(text); },
    printErr: function (text) { console.warn(text); },
    onAbort: function (what) {
      web.error = String(what);
      setStatus('Stopped by an error: ' + what);
    },
    onRuntimeInitialized: function () {
      setStatus(web.virtualClock ? 'Running (deterministic)' : 'Running');
      layout();
      window.requestAnimationFrame(tick);
    },
  };
  layout();
  return web;
})();
