// The device page: keeps both screens current from the server's event stream and sends clicks on
// the Settings screen to the Settings app, which decides what is under them.
'use strict';

const SCREEN_WIDTH = 320;  // points; the pictures are drawn at twice that in pixels
const BARS_HEIGHT = 64;  // the status bar and the navigation bar, which stay put while the page scrolls
const MOST_EVENTS = 300;
// A stream that fails is opened again after a pause that doubles each time, up to the longest.
const RETRY_FIRST_MS = 250;
const RETRY_LONGEST_MS = 5000;
const WAITING = 'Waiting for the device…';
const ENDED = 'The device has ended.';
const PHONE_PICTURE = "The Phone screen is the Phone app's picture of its dialer: it takes no taps. " +
                      'Change the dialer on the Settings screen.';

const phoneScreen = document.getElementById('phone-screen');
const settingsScreen = document.getElementById('settings-screen');
const settingsPage = document.getElementById('settings-page');
const targets = document.getElementById('targets');
const bars = document.getElementById('bars');
const eventList = document.getElementById('events');
const tapFigure = document.getElementById('tap-ms');
const statusLine = document.getElementById('status');
const phoneState = document.getElementById('phone-state');
const lastWords = document.getElementById('last-words');
const lastEvent = document.getElementById('last-event');

let dialerVersion = 0;
let settingsVersion = 0;
let settingsHeight = 0;
let tapStarted = null;  // performance.now() of a click that may bring a new dialer
let dialerWords = "The Phone app's dialer";  // from the newest dialer's event line
let deviceEnded = false;  // the stream said so; cleared when a stream opens again
let screenKey = null;  // the labels of the places shown, which tell one screen from another
let focusOnNextScreen = false;  // a touch from this page is on its way: the next screen takes focus

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
  bars.style.backgroundImage = `url("/settings.png?v=${version}")`;
  if (pageChanged) settingsScreen.scrollTop = 0;
  settingsPage.dataset.version = String(version);
}

// Named places of the screen, for keyboards and screen readers; a click on one is a click at its
// centre, answered by the Settings app like any other. They stand in reading order, top to bottom
// then left to right, so Tab walks the screen as it reads.
function showTargets(list) {
  const focused = targets.contains(document.activeElement) ? document.activeElement.getAttribute('aria-label') : null;
  const ordered = [...(list || [])].sort((a, b) => (a.y - b.y) || (a.x - b.x));
  const key = ordered.map(target => target.label).join('\n');
  const newScreen = key !== screenKey;
  screenKey = key;
  for (const button of [...targets.querySelectorAll('button')]) button.remove();
  for (const target of ordered) {
    const button = document.createElement('button');
    button.type = 'button';
    button.setAttribute('aria-label', target.label);
    button.title = target.label;
    button.dataset.kind = target.kind;
    Object.assign(button.style, {
      left: `${target.x}px`, top: `${target.y}px`, width: `${target.width}px`, height: `${target.height}px`,
    });
    // The bars' places scroll with the bars, which is to say not at all.
    (target.y + target.height <= BARS_HEIGHT ? bars : targets).append(button);
  }
  // Replacing the buttons would leave focus at the top of the document: a new screen gives it to
  // its first row (the bar's buttons come before it, but Escape stands for the back button), or a
  // sheet's first button; the same screen drawn again gives it back to the place that had it.
  const buttons = [...targets.querySelectorAll('button')];
  let next = null;
  if (newScreen && (focusOnNextScreen || focused !== null))
    next = buttons.find(button => button.dataset.kind === 'row' || button.dataset.kind === 'switch') || buttons[0];
  else if (focused !== null)
    next = buttons.find(button => button.getAttribute('aria-label') === focused);
  if (newScreen) focusOnNextScreen = false;
  if (next) {
    next.focus({preventScroll: true});
    next.scrollIntoView({block: 'nearest'});
  }
}

// Escape goes back: the back button, or a sheet's Cancel.
function backTarget() {
  return targets.querySelector('button[data-kind="back"]') ||
         [...targets.querySelectorAll('button[data-kind="button"]')].find(b => b.getAttribute('aria-label') === 'Cancel');
}

document.addEventListener('keydown', event => {
  if (event.key !== 'Escape' || event.defaultPrevented) return;
  const back = backTarget();
  if (!back) return;
  event.preventDefault();
  touchCentreOf(back);
});

function describe(event) {
  switch (event.event) {
    case 'stored': return `stored ${event.key} = ${JSON.stringify(event.value)} in ${event.domain}`;
    case 'posted': return `posted ${event.name}`;
    case 'system': return `ran "${event.command}": status ${event.status}`;
    case 'launched': return `launched the Phone app, pid ${event.pid} (launch ${event.count})`;
    case 'crashing': return crashWords(event);
    case 'noMailAccount': return `mail stays shut: this device has no mail account: ${devicePath(event.accounts)}`;
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

// A device path as it stands under the device root.
function devicePath(path) {
  return String(path || '').replace(/^\/+/, '');
}

function crashWords(event) {
  const how = event.signal !== null ? `signal ${event.signal}${event.signalName ? `, ${event.signalName}` : ''}`
            : event.status !== null ? `exit status ${event.status}` : 'it could not be started';
  const words = event.lastWords && event.lastWords.length ? ': last words on its standard error below' : '';
  return `the Phone app crashed ${event.times} times in a row (${how}${words}); ` +
         `next start in ${Math.round(event.nextLaunchMs / 100) / 10} s`;
}

// What the Phone screen cannot show: that its app is between two launches, keeps crashing, or has
// gone with the device. The old dialer stays, dimmed, until a new one is drawn.
function showPhoneState(state, {crashing = false, words = []} = {}) {
  phoneState.textContent = state ? capitalized(state) + '.' : '';
  phoneState.classList.toggle('crashing', crashing);
  lastWords.textContent = words.join('\n');
  lastWords.hidden = words.length === 0;
  phoneScreen.classList.toggle('restarting', state !== '');
}

function followThePhoneApp(event) {
  const crashing = phoneState.classList.contains('crashing');
  switch (event.event) {
    case 'exited': if (!crashing) showPhoneState('the Phone app is restarting'); break;
    case 'launched': if (!crashing) showPhoneState('the Phone app is restarting'); break;
    case 'crashing': showPhoneState(crashWords(event), {crashing: true, words: event.lastWords || []}); break;
    case 'dialer': showPhoneState(''); break;
  }
}

function logEvent(text) {
  let event;
  try { event = JSON.parse(text); } catch { event = {event: 'unreadable', text}; }
  const item = document.createElement('li');
  item.dataset.event = event.event;
  item.title = text;
  const time = document.createElement('time');
  // The server's stamp: a page that joins late shows when each event happened.
  const at = typeof event.at === 'number' ? new Date(event.at) : new Date();
  time.dateTime = at.toISOString();
  time.textContent = at.toLocaleTimeString(undefined, {hour12: false});
  item.append(time, describe(event));
  eventList.prepend(item);
  while (eventList.children.length > MOST_EVENTS) eventList.lastElementChild.remove();
  lastEvent.textContent = `${time.textContent} ${describe(event)}`;
  followThePhoneApp(event);
  if (event.event === 'dialer' && 'voicemailTab' in event)
    dialerWords = `The Phone app's dialer, ${event.voicemailTab ? 'with' : 'without'} the Voicemail tab`;
}

// A point of the whole-page picture: within the bars at the top of the screen it is a point of the
// bars, whatever the scroll.
function pagePoint(clientX, clientY) {
  const barBox = bars.getBoundingClientRect();
  const inBars = clientY >= barBox.top && clientY < barBox.bottom;
  const box = inBars ? barBox : document.getElementById('settings').getBoundingClientRect();
  const scale = SCREEN_WIDTH / box.width;
  return {x: (clientX - box.left) * scale, y: (clientY - box.top) * scale};
}

async function touch(clientX, clientY) {
  const point = pagePoint(clientX, clientY);
  tapStarted = performance.now();
  focusOnNextScreen = true;
  const versionBefore = dialerVersion;
  statusLine.textContent = '';
  try {
    const response = await fetch('/touch', {
      method: 'POST', headers: {'Content-Type': 'application/json'}, body: JSON.stringify(point),
    });
    if (!response.ok) {
      focusOnNextScreen = false;
      const reason = (await response.text()).trim();
      statusLine.textContent =
        /click was lost/.test(reason) ? `${capitalized(reason)}.` : `The click was lost: ${reason}.`;
      tapStarted = null;
      return;
    }
    const answer = await response.json();
    if (!answer.done) statusLine.textContent = answer.problem;
    else if (answer.replayed) statusLine.textContent = 'The Settings app had stopped; a new one took the click.';
    const mail = answer.events.find(e => e.event === 'noMailAccount');
    if (mail)
      statusLine.textContent = `Support opens no mail composer: this device has no mail account: ${devicePath(mail.accounts)} ` +
                               '(scripts/simulator.sh --mail ADDRESS makes one).';
    const restarts = answer.events.some(e => e.event === 'system' && /killall/.test(e.command));
    if (!restarts && dialerVersion === versionBefore) tapStarted = null;
  } catch (error) {
    statusLine.textContent = `The device did not answer: ${error.message}`;
    tapStarted = null;
    focusOnNextScreen = false;
  }
}

function touchCentreOf(element) {
  const box = element.getBoundingClientRect();
  touch(box.left + box.width / 2, box.top + box.height / 2);
}

settingsPage.addEventListener('click', event => {
  event.preventDefault();
  // A named place activated from the keyboard is touched at its centre.
  if (event.detail === 0 && event.target instanceof HTMLButtonElement) {
    touchCentreOf(event.target);
  } else {
    touch(event.clientX, event.clientY);
  }
});

phoneScreen.addEventListener('click', () => { statusLine.textContent = PHONE_PICTURE; });

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
    if (statusLine.textContent === WAITING || deviceEnded) statusLine.textContent = '';
    deviceEnded = false;
    // The replayed lines tell the Phone app's state afresh.
    showPhoneState('');
    eventList.replaceChildren();
  });
  stream.addEventListener('ended', () => {
    deviceEnded = true;
    showPhoneState('the device has ended');
    statusLine.textContent = ENDED;
  });
  stream.addEventListener('error', () => {
    stream.close();
    // A device that said it ended may come back on the same address: the page keeps asking.
    if (!deviceEnded) statusLine.textContent = WAITING;
    setTimeout(listen, retryMs);
    retryMs = Math.min(retryMs * 2, RETRY_LONGEST_MS);
  });
}

listen();
