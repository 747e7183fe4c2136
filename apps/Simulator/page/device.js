// The device page: keeps both screens current from the server's event stream and sends clicks on
// the Settings screen to the Settings app, which decides what is under them.
'use strict';

const SCREEN_WIDTH = 320;  // points; the pictures are drawn at twice that in pixels
const MOST_EVENTS = 300;
// A stream that fails is opened again after a pause that doubles each time, up to the longest.
const RETRY_FIRST_MS = 250;
const RETRY_LONGEST_MS = 5000;
const WAITING = 'Waiting for the device…';

const phoneScreen = document.getElementById('phone-screen');
const settingsScreen = document.getElementById('settings-screen');
const settingsPage = document.getElementById('settings-page');
const targets = document.getElementById('targets');
const eventList = document.getElementById('events');
const tapFigure = document.getElementById('tap-ms');
const statusLine = document.getElementById('status');

let dialerVersion = 0;
let settingsVersion = 0;
let settingsHeight = 0;
let tapStarted = null;  // performance.now() of a click that may bring a new dialer
let dialerWords = "The Phone app's dialer";  // from the newest dialer's event line

// Loads a picture off screen and swaps it in once decoded, so the screen never shows half of one.
async function swapPicture(id, url, alt) {
  const next = new Image();
  next.src = url;
  await next.decode();
  const current = document.getElementById(id);
  next.id = id;
  next.alt = alt || current.alt;
  next.width = SCREEN_WIDTH;
  current.replaceWith(next);
  return next;
}

async function showDialer(version) {
  if (version <= dialerVersion) return;
  dialerVersion = version;
  await swapPicture('dialer', `/dialer.png?v=${version}`, dialerWords);
  phoneScreen.classList.remove('restarting');
  requestAnimationFrame(() => {
    if (tapStarted === null) return;
    const figure = Math.round(performance.now() - tapStarted);
    tapStarted = null;
    tapFigure.textContent = String(figure);
    tapFigure.dataset.ms = String(figure);
  });
}

async function showSettings(version, height) {
  if (version <= settingsVersion) return;
  settingsVersion = version;
  const pageChanged = height !== settingsHeight;
  settingsHeight = height;
  await swapPicture('settings', `/settings.png?v=${version}`);
  if (pageChanged) settingsScreen.scrollTop = 0;
  settingsPage.dataset.version = String(version);
}

// Named places of the screen, for keyboards and screen readers; a click on one is a click at its
// centre, answered by the Settings app like any other.
function showTargets(list) {
  targets.replaceChildren();
  for (const target of list || []) {
    const button = document.createElement('button');
    button.type = 'button';
    button.setAttribute('aria-label', target.label);
    button.title = target.label;
    button.dataset.kind = target.kind;
    Object.assign(button.style, {
      left: `${target.x}px`, top: `${target.y}px`, width: `${target.width}px`, height: `${target.height}px`,
    });
    targets.append(button);
  }
}

function describe(event) {
  switch (event.event) {
    case 'stored': return `stored ${event.key} = ${JSON.stringify(event.value)} in ${event.domain}`;
    case 'posted': return `posted ${event.name}`;
    case 'system': return `ran "${event.command}": status ${event.status}`;
    case 'launched': return `launched the Phone app, pid ${event.pid} (launch ${event.count})`;
    case 'exited':
      return `the Phone app (pid ${event.pid}) ended ` +
             (event.signal !== null ? `by signal ${event.signal}` : `with status ${event.status}`);
    case 'dialer': return `the new Phone app${event.pid ? ` (pid ${event.pid})` : ''} drew its dialer`;
    case 'touched':
      return `touched ${event.x}, ${event.y}: ` + (event.target ? `${event.target.kind} "${event.target.label}"` : 'nothing');
    case 'presented': return `presented ${event.class}`;
    case 'dismissed': return `dismissed ${event.class}`;
    case 'openURL': return `opened ${event.url}`;
    default: return JSON.stringify(event);
  }
}

function logEvent(text) {
  let event;
  try { event = JSON.parse(text); } catch { event = {event: 'unreadable', text}; }
  const item = document.createElement('li');
  item.dataset.event = event.event;
  item.title = text;
  const time = document.createElement('time');
  time.textContent = new Date().toLocaleTimeString(undefined, {hour12: false});
  item.append(time, describe(event));
  eventList.prepend(item);
  while (eventList.children.length > MOST_EVENTS) eventList.lastElementChild.remove();
  if (event.event === 'exited') phoneScreen.classList.add('restarting');
  if (event.event === 'dialer' && 'voicemailTab' in event)
    dialerWords = `The Phone app's dialer, ${event.voicemailTab ? 'with' : 'without'} the Voicemail tab`;
}

async function touch(clientX, clientY) {
  const picture = document.getElementById('settings');
  const box = picture.getBoundingClientRect();
  const scale = SCREEN_WIDTH / box.width;
  const point = {x: (clientX - box.left) * scale, y: (clientY - box.top) * scale};
  tapStarted = performance.now();
  const versionBefore = dialerVersion;
  statusLine.textContent = '';
  try {
    const response = await fetch('/touch', {
      method: 'POST', headers: {'Content-Type': 'application/json'}, body: JSON.stringify(point),
    });
    if (!response.ok) {
      const reason = (await response.text()).trim();
      statusLine.textContent =
        /click was lost/.test(reason) ? `${capitalized(reason)}.` : `The click was lost: ${reason}.`;
      tapStarted = null;
      return;
    }
    const answer = await response.json();
    if (!answer.done) statusLine.textContent = answer.problem;
    else if (answer.replayed) statusLine.textContent = 'The Settings app had stopped; a new one took the click.';
    const restarts = answer.events.some(e => e.event === 'system' && /killall/.test(e.command));
    if (!restarts && dialerVersion === versionBefore) tapStarted = null;
  } catch (error) {
    statusLine.textContent = `The device did not answer: ${error.message}`;
    tapStarted = null;
  }
}

settingsPage.addEventListener('click', event => {
  event.preventDefault();
  // A named place activated from the keyboard is touched at its centre.
  if (event.detail === 0 && event.target instanceof HTMLButtonElement) {
    const box = event.target.getBoundingClientRect();
    touch(box.left + box.width / 2, box.top + box.height / 2);
  } else {
    touch(event.clientX, event.clientY);
  }
});

function capitalized(text) {
  return text.charAt(0).toUpperCase() + text.slice(1);
}

// A browser gives up on a stream the server turned away (a 503, say) and never asks again: the page
// asks again itself, whatever went wrong, waiting longer each time until a stream opens.
let retryMs = RETRY_FIRST_MS;

function listen() {
  const stream = new EventSource('/events');
  stream.addEventListener('device', message => logEvent(message.data));
  stream.addEventListener('skipped', message => logEvent(JSON.stringify({event: 'skipped', lines: Number(message.data)})));
  stream.addEventListener('dialer', message => showDialer(JSON.parse(message.data).version));
  stream.addEventListener('settings', message => {
    const picture = JSON.parse(message.data);
    showSettings(picture.version, picture.height);
    if ('targets' in picture) showTargets(picture.targets);
  });
  // Every (re)opened stream starts with the device's recent lines again.
  stream.addEventListener('open', () => {
    retryMs = RETRY_FIRST_MS;
    if (statusLine.textContent === WAITING) statusLine.textContent = '';
    eventList.replaceChildren();
  });
  stream.addEventListener('error', () => {
    stream.close();
    statusLine.textContent = WAITING;
    setTimeout(listen, retryMs);
    retryMs = Math.min(retryMs * 2, RETRY_LONGEST_MS);
  });
}

listen();
